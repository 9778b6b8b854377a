// Values the program accepts without a word but that make an input do nothing or misbehave:
// check reports them as "silent" findings, one text per finding.
#pragma once

#include <string>
#include <vector>

class CXMLNode;

// The controller check simulates: 32 buttons (the most a controller reports) and axes from 0
// to 65535.
constexpr int kCheckedButtons = 32;
constexpr int kCheckedAxisRange = 65535;
// A polling delay above this leaves the controller effectively dead.
constexpr int kLongestUsefulPollingDelay = 10000;

std::vector<std::string> ProfileValueFindings(const CXMLNode& profile);
std::vector<std::string> ActionValueFindings(const CXMLNode& actions);
// The VKActions whose key the Linux program cannot send (XKeyTable.h); one-character values
// are taken through the installed keyboard layout, as the program reads them.
std::vector<std::string> LinuxKeyFindings(const CXMLNode& actions);
