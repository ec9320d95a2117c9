// The transfer curve: a sampled, nearly odd, sine-like curve over x = -1 .. +1
// (entry k at x = k / 4096 - 1), read by the interpolating look-ups of
// Orvanta_TransferCurve.h. Its values live in the generated
// Orvanta_Table_Data.cpp (tools/transfer_curve).
#pragma once

#include "effect/Orvanta_Defs.h"

extern const float Orvanta_Table_Data[Orvanta::kTransferCurveEntries];
