#pragma once
#include <oaidl.h>
#include <windows.h>

#include <cstdint>
#include <string>

#include "probe/com_owners.h"

// The probe's calls into the platform, each replaceable by tests through
// probe/testing.h.

// A new "WbemScripting.SWbemLocator", or empty.
ComPtr<IDispatch> CreateWmiLocator();
// Lets the windows paint and their timers run while a query works.
void ProcessEventsDuringQuery();
// Free bytes available to the caller on the volume of `path`; 0 when the
// volume cannot be measured.
std::uint64_t GetFreeBytesForCaller(const std::string& path);
