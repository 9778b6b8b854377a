// The default profile's promises on a pad (the README's "First start" table), checked through
// a system's own controller adapter: one table for every lane, which differ only in the pad
// they move. The inputs are the pad's own (PadLayout.h), so the table holds only where the
// adapter presents the pad in the one layout.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/PadLayout.h"
#include "platform/Platform.h"

// Moves the lane's pad (an SDL virtual game controller, XInput's stand-in, a simulated one).
using PadHands = std::function<void(const seam::PadReading&)>;

// Runs the default files of `dataFolder` in virtual time with `adapter` as the controllers,
// the pad moved by `hands` being ID 0, and returns each promise that did not hold, as "Right
// stick up: got wheel down, expected wheel up".
std::vector<std::string> BrokenPadPromises(const std::string& dataFolder, seam::IJoysticks& adapter,
                                           const PadHands& hands);
