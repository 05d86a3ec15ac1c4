#include "probe/tests/detection_fixture.h"

#include <vector>

#include "app/tests/app_fixture.h"
#include "catalogue/catalogue_file.h"
#include "evaluation/requirements.h"
#include "probe/testing.h"

void DetectionTest::SetUpTestSuite() {
    using namespace Catalogue;
    const std::vector<CatalogueRecord> records = {
        {{TextField("Game"), TextField("RPG"), Int32Field(1000), Int32Field(512), Int32Field(64),
          Int32Field(1)}}};
    AppTest::PlaceCatalogue(EncodeCatalogue(records).value());
    AppTest::StartProgramQuickly();
}

void DetectionTest::TearDownTestSuite() {
    AppTest::StopProgram();
}

void DetectionTest::SetUp() {
    gHardwareProfile = HardwareProfile{};
}

void DetectionTest::TearDown() {
    Probe::Testing::SetLocatorFactory(nullptr);
    Probe::Testing::SetEventProcessor(nullptr);
    Probe::Testing::SetDiskFreeSpaceCall(nullptr);
    EXPECT_EQ(world.Unbalanced(), std::vector<std::string>{});
}

void DetectionTest::UseFakeWmi(FakeWmi& wmi) {
    Probe::Testing::SetLocatorFactory([&wmi] { return wmi.Locator().NewReference(); });
}
