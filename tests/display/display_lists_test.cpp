#include "setup/display/display_lists.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "setup/platform/headless/scripted_display.h"

namespace setup {
namespace {

constexpr AdapterGuid kSecondCard{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};

std::vector<std::string> labels(const DisplayList& list) {
    std::vector<std::string> out;
    for (const DisplayListEntry* e = list.first.get(); e; e = e->next.get()) out.push_back(e->label);
    return out;
}

std::vector<ModeReport> inEveryDepth(std::vector<std::pair<int, int>> sizes) {
    std::vector<ModeReport> modes;
    for (auto [w, h] : sizes)
        for (int bits : {8, 16, 32}) modes.push_back({w, h, bits});
    return modes;
}

struct DisplayListsTest : ::testing::Test {
    ScriptedDisplay display;
    DisplayLists lists{display};

    void SetUp() override {
        display.adapters = {{std::nullopt, "Primary Display Driver", "display"},
                            {kSecondCard, "Second Card", "second.dll"}};
        display.modesByAdapter = {
            {std::nullopt, {{800, 600, 16}}},
            {kSecondCard, inEveryDepth({{640, 480}, {1024, 768}, {320, 200}, {800, 600}})},
        };
    }
};

TEST_F(DisplayListsTest, AdaptersRunInReverseOfReportedOrderAndStartAtTheLastReported) {
    lists.listAdapters();
    EXPECT_EQ(labels(lists.adapters()), (std::vector<std::string>{"Second Card", "Primary Display Driver"}));
    EXPECT_EQ(lists.adapterCount(), 2);
    EXPECT_EQ(lists.currentAdapterIndex(), 0);
    const DisplayListEntry* primary = lists.adapterByIndex(1);
    EXPECT_FALSE(primary->adapterGuid.has_value());
    EXPECT_EQ(primary->driverName, "display");
    EXPECT_EQ(primary->width, 0);

    lists.listModes();
    EXPECT_EQ(display.createdFor, std::optional<AdapterGuid>{std::nullopt});  // index 1 is current now
    lists.adapterByIndex(0);
    lists.listModes();
    EXPECT_EQ(display.createdFor, std::optional<AdapterGuid>{kSecondCard});
}

TEST_F(DisplayListsTest, ModesAreSixteenBitOnlyLargestFirst) {
    lists.listAdapters();
    lists.listModes();
    EXPECT_EQ(labels(lists.modes()), (std::vector<std::string>{"1024x768", "800x600", "640x480", "320x200"}));
    EXPECT_EQ(lists.modeCount(), 4);
    EXPECT_EQ(lists.currentModeIndex(), 0);
    EXPECT_TRUE(display.held);  // until released
    lists.releaseDirectDraw();
    EXPECT_FALSE(display.held);

    EXPECT_EQ(lists.modeIndexOf(640, 480), 2);
    EXPECT_EQ(lists.modeIndexOf(1280, 1024), 0);
    EXPECT_EQ(lists.modeIndexOf(640, 768), 0);
    DisplayListEntry* last = lists.modeByIndex(10);
    EXPECT_EQ(last->label, "320x200");
    EXPECT_EQ(last->width, 320);
    EXPECT_EQ(last->height, 200);
    EXPECT_FALSE(last->driverName.has_value());
    EXPECT_EQ(lists.currentModeIndex(), 3);
    EXPECT_EQ(lists.modeByIndex(-3)->label, "1024x768");
    EXPECT_EQ(lists.currentModeIndex(), 0);
}

TEST_F(DisplayListsTest, EqualAreasKeepReportedOrderAndDuplicatesStay) {
    display.modesByAdapter = {
        {kSecondCard, {{512, 500, 16}, {640, 400, 16}, {640, 480, 16}, {640, 400, 16}, {320, 700, 16}}}};
    lists.listAdapters();
    lists.listModes();
    EXPECT_EQ(labels(lists.modes()), (std::vector<std::string>{"640x480", "512x500", "640x400", "640x400", "320x700"}));
}

TEST_F(DisplayListsTest, ListingModesAgainReplacesTheList) {
    lists.listAdapters();
    lists.listModes();
    lists.modeByIndex(2);
    lists.adapterByIndex(1);
    lists.listModes();
    EXPECT_EQ(labels(lists.modes()), (std::vector<std::string>{"800x600"}));
    EXPECT_EQ(lists.currentModeIndex(), 0);
}

TEST_F(DisplayListsTest, DriverNameLookupIsExactAndLeavesTheCurrentIndex) {
    lists.listAdapters();
    lists.adapterByIndex(1);
    EXPECT_EQ(lists.adapterByDriverName("second.dll")->label, "Second Card");
    EXPECT_EQ(lists.adapterByDriverName("display")->label, "Primary Display Driver");
    EXPECT_EQ(lists.adapterByDriverName("DISPLAY")->label, "Second Card");  // case matters; index 0 otherwise
    EXPECT_EQ(lists.adapterByDriverName("")->label, "Second Card");
    EXPECT_EQ(lists.currentAdapterIndex(), 1);
}

TEST_F(DisplayListsTest, AdapterTextsKeepAtMost255Characters) {
    display.adapters = {{std::nullopt, std::string(300, 'd'), std::string(256, 'n')}};
    lists.listAdapters();
    EXPECT_EQ(lists.adapterByIndex(0)->label, std::string(255, 'd'));
    EXPECT_EQ(lists.adapterByIndex(0)->driverName, std::string(255, 'n'));
}

TEST_F(DisplayListsTest, EmptyListsGiveNoEntry) {
    display.adapters.clear();
    display.modesByAdapter = {{std::nullopt, {{640, 480, 8}, {640, 480, 32}}}};
    lists.listAdapters();
    EXPECT_EQ(lists.adapterByIndex(0), nullptr);
    EXPECT_EQ(lists.adapterByDriverName("display"), nullptr);
    lists.listModes();  // the primary display when no adapter is listed
    EXPECT_EQ(display.createdFor, std::optional<AdapterGuid>{std::nullopt});
    EXPECT_EQ(lists.modeCount(), 0);
    EXPECT_EQ(lists.modeByIndex(0), nullptr);
    EXPECT_EQ(lists.modeIndexOf(640, 480), 0);
}

TEST_F(DisplayListsTest, FreeingEmptiesBothLists) {
    lists.listAdapters();
    lists.listModes();
    lists.freeAdapterList();
    lists.freeModeList();
    EXPECT_EQ(lists.adapterCount(), 0);
    EXPECT_EQ(lists.modeCount(), 0);
    EXPECT_EQ(lists.adapters().first, nullptr);
    EXPECT_EQ(lists.modes().first, nullptr);
}

TEST_F(DisplayListsTest, EachFailingStepStopsWithItsMessageAndReleases) {
    const std::pair<ScriptedDisplay::Step, std::string> cases[] = {
        {ScriptedDisplay::Step::EnumerateAdapters, "Couldn't enumerate modes.\n"},
        {ScriptedDisplay::Step::Create, "Couldn't create DirectDraw object.\n"},
        {ScriptedDisplay::Step::Query, "Couldn't query the interface.\n"},
        {ScriptedDisplay::Step::CooperativeLevel, "Couldn't set cooperative level.\n"},
        {ScriptedDisplay::Step::EnumerateModes, "Couldn't enumerate modes.\n"},
    };
    for (const auto& [step, message] : cases) {
        ScriptedDisplay failing;
        failing.adapters = display.adapters;
        failing.failingStep = step;
        DisplayLists failingLists{failing};
        try {
            failingLists.listAdapters();
            failingLists.listModes();
            ADD_FAILURE() << "no stop for " << message;
        } catch (const DisplayStop& stop) {
            EXPECT_EQ(stop.what(), message);
            EXPECT_EQ(failing.debugOutput, std::vector<std::string>{message});
            EXPECT_FALSE(failing.held) << message;
        }
    }
}

TEST(DisplayListTest, ALongListFreesWithoutDeepRecursion) {
    DisplayList list;
    for (int i = 0; i < 1000000; ++i) {
        auto entry = std::make_unique<DisplayListEntry>();
        entry->next = std::move(list.first);
        list.first = std::move(entry);
        ++list.count;
    }
    list.free();
    EXPECT_EQ(list.count, 0);
    EXPECT_EQ(list.first, nullptr);
}

}  // namespace
}  // namespace setup
