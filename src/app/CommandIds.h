#pragma once

namespace velutra {

// Command ids of the four forms; a switch request carries one of them.
inline constexpr int kFormDescription = 32771;
inline constexpr int kFormMap = 32773;
inline constexpr int kFormPlots = 32774;
inline constexpr int kFormSmoothedMap = 32776;

// Menu and key commands.
inline constexpr int kCmdNew = 57600;
inline constexpr int kCmdOpen = 57601;
inline constexpr int kCmdSave = 57603;
inline constexpr int kCmdSaveAs = 32778;
inline constexpr int kCmdDelete = 32772;
inline constexpr int kCmdImport = 32775;
inline constexpr int kCmdExportTable = 32777;
inline constexpr int kCmdExportPlot = 32779;
inline constexpr int kCmdImportCsvMap = 32780;
inline constexpr int kCmdImportCoefficients = 32781;
inline constexpr int kCmdExportCsv = 32782;
inline constexpr int kCmdExportCoefficients = 32783;
inline constexpr int kCmdExit = 57665;
inline constexpr int kCmdHelpTopics = 57667;
inline constexpr int kCmdHelp = 57670;
inline constexpr int kCmdAbout = 57664;

} // namespace velutra
