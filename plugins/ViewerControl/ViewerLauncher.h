// Starts a viewer program on a file, detached. Only when PLM_VIEWER_LAUNCH=1: headless runs
// (tests, scripted runs) record the call and start nothing.
#pragma once

#include <string>

namespace viewer {

bool LaunchingEnabled();
// True when the program was started.
bool LaunchViewer(const std::string& program, const std::string& posixFile);

} // namespace viewer
