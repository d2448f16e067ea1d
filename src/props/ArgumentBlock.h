#pragma once

namespace velutra {

// Room in every composition array. The program's fluids have at most three components, but a
// compatible library may write as many entries as its own maximum; 20 keeps such a library
// from writing past an array into the neighbouring slots.
inline constexpr int kCompositionSlots = 20;

// The slots through which the engine exchanges every value with the property library. Each
// routine reads and writes them in place, so the block persists between calls. Units: K, kPa,
// mol/dm3, J/mol, J/(mol K), g/mol.
struct ArgumentBlock {
    int componentCount = 0;
    double composition[kCompositionSlots] = {};
    double temperature = 0;
    double pressure = 0;
    double density = 0;
    double liquidDensity = 0;
    double vaporDensity = 0;
    double liquidComposition[kCompositionSlots] = {};
    double vaporComposition[kCompositionSlots] = {};
    double quality = 0;
    double internalEnergy = 0;
    double enthalpy = 0;
    double entropy = 0;
    double cv = 0;
    double cp = 0;
    double speedOfSound = 0;
    double jouleThomson = 0;
    double molarMass = 0;
    int phaseFlag = 0; // SATT: 1 bubble, 2 dew; TPRHO: 1 liquid root, 2 vapour root
    int guessFlag = 0; // TPRHO: 0 = no initial density guess
    int errorCode = 0;
    // The error text is one byte longer than the length passed, so that a library that fills
    // the whole declared length still leaves a terminating NUL.
    char errorText[256] = {};
    char fluidFiles[10000] = {};
    char mixingRule[256] = {};
    char referenceState[4] = {};
};

// Declared lengths passed with the character slots.
inline constexpr unsigned kErrorTextLength = 255;
inline constexpr unsigned kFluidFilesLength = 10000;
inline constexpr unsigned kMixingRuleLength = 255;
inline constexpr unsigned kReferenceStateLength = 3;

} // namespace velutra
