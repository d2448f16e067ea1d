#pragma once

#include "record/CompressorRecord.h"

namespace velutra {

// The speed of a record's compressor in rpm from its speed text; NaN when the text is not a
// positive number.
double SpeedRpmOf(const CompressorRecord& record);

// The displacement flow in m3/h of a displacement (cm3 per revolution) at a speed (rpm).
double DisplacementFlowM3h(double displacementCm3, double speedRpm);

// The true volumetric efficiency: the suction volume flow (m3/h) over the displacement flow.
// NaN when the displacement or the speed is not known (not a positive number).
double TrueVolumetricEfficiency(double suctionFlowM3h, double displacementCm3, double speedRpm);

} // namespace velutra
