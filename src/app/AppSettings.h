#pragma once

#include <QString>

namespace velutra {

// Where the program's settings live (QSettings organisation and application).
inline const QString kSettingsOrganisation = QStringLiteral("Local AppWizard-Generated Applications");
inline const QString kSettingsApplication = QStringLiteral("Velutra");

// Setting naming a property library file of the user's own; empty or absent for the default.
inline const QString kSettingPropertyLibrary = QStringLiteral("Settings/PropertyLibrary");

} // namespace velutra
