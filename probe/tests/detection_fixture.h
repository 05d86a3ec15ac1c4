#pragma once
#include <gtest/gtest.h>

#include <string>

#include "probe/tests/fake_automation.h"

// The program started once per suite, with the probe's platform calls
// restored after every test.
class DetectionTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;
    void TearDown() override;
    // Every WMI connection of the detection goes to `wmi`.
    void UseFakeWmi(FakeWmi& wmi);

    FakeWorld world;
};

inline const std::wstring kVideoQuery = L"Select * From Win32_VideoController";
inline const std::wstring kProcessorQuery = L"Select * From Win32_Processor";
inline const std::wstring kOsQuery = L"Select * From Win32_OperatingSystem";
