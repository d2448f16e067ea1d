#pragma once

namespace velutra {

// Makes every CGridCtrl readable by assistive tools as a table whose cells read their texts.
// Installing more than once has no further effect.
void InstallGridAccessibility();

} // namespace velutra
