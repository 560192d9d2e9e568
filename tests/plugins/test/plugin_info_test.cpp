// What each test plug-in tells about itself, and how GetPluginInfo fills a buffer.

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "loaded_plugin.h"

namespace nerula::test {
namespace {

TEST(TestPluginInfo, EachPluginTellsItsVersionFilterAndDescription) {
    struct Expected {
        const wchar_t* name;
        std::string apiVersion;
        std::string filter;
    };
    const std::vector<Expected> plugins{
        {L"ntp", "00IN", "*.ntp"},       {L"version", "00AM", "*.nvr"},
        {L"lowercase", "00in", "*.nlc"}, {L"noentry", "00IN", "*.nge"},
        {L"fails", "00IN", "*.nfa"},     {L"infofails", "00IN", "*.nif"},
        {L"trailing", "00IN", "*.ntr;"}, {L"twopatterns", "00IN", "*.nt1;*.nt2;"},
        {L"liar", "00IN", "*.nli"},
    };
    for (const Expected& e : plugins) {
        const LoadedPlugin plugin(e.name);
        ASSERT_NE(plugin.GetPluginInfo(), nullptr);
        EXPECT_EQ(plugin.Info(susie::kApiVersion), e.apiVersion);
        EXPECT_EQ(plugin.Info(susie::kFilter), e.filter);
        EXPECT_NE(plugin.Info(susie::kDescription), "");
        EXPECT_NE(plugin.Info(1), "");
        // One filter per plug-in: the numbers after the first pair have no text.
        EXPECT_EQ(plugin.Info(4), "");
        EXPECT_EQ(plugin.Info(-1), "");
    }
    EXPECT_EQ(LoadedPlugin(L"ntp").Info(susie::kDescription), "Nerula test picture");
}

TEST(TestPluginInfo, CutsTheTextToTheBuffer) {
    const LoadedPlugin plugin(L"ntp");
    char buffer[8];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(plugin.GetPluginInfo()(susie::kApiVersion, buffer, 3), 2);
    EXPECT_EQ(std::string(buffer, 4), std::string("00\0x", 4));

    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(plugin.GetPluginInfo()(susie::kApiVersion, buffer, 0), 0);
    EXPECT_EQ(buffer[0], 'x');
    EXPECT_EQ(plugin.GetPluginInfo()(susie::kApiVersion, nullptr, 8), 0);
}

} // namespace
} // namespace nerula::test
