// The plug-ins' ports: limits, NaN, change detection and latency.
#include <limits>

#include "effect/Orvanta_Defs.h"
#include "host/lv2/SharedPluginModule.h"
#include "tests/lv2/Lv2TestHost.h"

namespace {

using lv2_test::Lv2TestInstance;
using namespace Lv2Ports;

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInfinity = std::numeric_limits<float>::infinity();

// The parameter a control port drives.
const char* ParameterOf(uint32_t port) {
    const char* id = ControlInputs()[port].parameterID;
    return id ? id : Orvanta::kParamID_Bypass;
}

TEST(Lv2Ports, AnyFloatIsLimitedToTheRangeAndNaNIgnored) {
    // The port set to before, run, then to written: the parameter's normalized value.
    struct Case { uint32_t port; float before; float written; double expectedNormalized; };
    const Case cases[] = {
        {kHarmonic, 40, 150, 1.0},       {kHarmonic, 40, -5, 0.0},     {kHarmonic, 40, kInfinity, 1.0},
        {kHarmonic, 40, -kInfinity, 0},  {kHarmonic, 40, kNaN, 0.4},   {kDynamic, 10, 1e30f, 1.0},
        {kOutputTrim, 3, 9, 1.0},        {kOutputTrim, 3, -1e30f, 0},  {kOutputTrim, 3, kNaN, 0.75},
        {kColor, 3, 0, 0.0},             {kColor, 3, 7.6f, 1.0},       {kColor, 3, 2.4f, 0.25},
        {kColor, 3, 2.6f, 0.5},          {kColor, 3, -kInfinity, 0.0}, {kColor, 4, kNaN, 0.75},
        {kColor, 3, 1e30f, 1.0},  // limited before rounding to a whole number
        {kDither, 0, 0.3f, 1.0},         {kDither, 1, 0, 0.0},         {kDither, 1, -1, 0.0},
        {kDither, 1, kNaN, 1.0},
        {kEnabled, 1, 0, 1.0},     // processing off: the bypass on
        {kEnabled, 0, 0.5f, 0.0},  // any value above zero processes
        {kEnabled, 0, kNaN, 1.0},
    };
    Lv2TestInstance lv2(2, 48000);
    ASSERT_TRUE(lv2.Valid());
    for (const Case& c : cases) {
        lv2.Control(c.port) = c.before;
        lv2.Run(16);
        lv2.Control(c.port) = c.written;
        lv2.Run(16);
        EXPECT_DOUBLE_EQ(lv2.Normalized(ParameterOf(c.port)), c.expectedNormalized)
            << ParameterOf(c.port) << " " << c.before << " then " << c.written;
    }
}

TEST(Lv2Ports, OnlyChangedPortsReachTheDataModelAtTheStartOfTheRun) {
    Lv2TestInstance lv2(1, 44100);
    ASSERT_TRUE(lv2.Valid());
    lv2.Run(0);
    const int32_t afterFirstRun = lv2.ChangeCount();
    struct Step {
        uint32_t port;  // kLatency: change nothing
        float value;
        int32_t newUpdates;
    };
    const Step steps[] = {
        {kLatency, 0, 0},  // unchanged ports: nothing
        {kHarmonic, 25, 1}, {kHarmonic, 25, 0}, {kColor, 4, 1}, {kColor, kNaN, 0},
        {kColor, 4, 0},  // back to the value applied before the NaN
        {kEnabled, 0, 1},
    };
    int32_t expected = afterFirstRun;
    for (const Step& step : steps) {
        if (step.port != kLatency) lv2.Control(step.port) = step.value;
        EXPECT_EQ(lv2.ChangeCount(), expected) << "nothing changes before the run";
        lv2.Run(step.port == kColor ? 0 : 32);
        expected += step.newUpdates;
        EXPECT_EQ(lv2.ChangeCount(), expected) << "port " << step.port << " = " << step.value;
    }
}

TEST(Lv2Ports, LatencyIsReportedFromTheFirstRunAtEveryRate) {
    struct Case { double rate; float latency; };
    const Case cases[] = {{44100, 7}, {48000, 7}, {88200, 13}, {96000, 13}, {176400, 25}, {192000, 25}};
    for (const Case& c : cases)
        for (int channels : {1, 2})
            for (uint32_t firstRun : {0u, 1u, 300u}) {
                Lv2TestInstance lv2(channels, c.rate);
                ASSERT_TRUE(lv2.Valid());
                lv2.Control(kLatency) = -1.0f;
                lv2.Run(firstRun);
                EXPECT_EQ(lv2.Latency(), c.latency) << c.rate << " Hz, " << channels << " ch, run " << firstRun;
                lv2.Control(kEnabled) = 0.0f;  // the bypass keeps the delay
                lv2.Run(firstRun);
                EXPECT_EQ(lv2.Latency(), c.latency);
            }
}

// (Which descriptor is which plug-in: lv2info in check_lv2_tools.sh.)
TEST(Lv2Ports, InstancesShareOneModuleAndUnsupportedRatesAreRefused) {
    const int before = SharedPluginModule::References();
    {
        Lv2TestInstance mono(1, 48000), stereo(2, 96000);
        ASSERT_TRUE(mono.Valid() && stereo.Valid());
        for (double rate : {0.0, -48000.0, 8000.0, 22050.0, 32000.0, 48000.5, 384000.0})
            for (int channels : {1, 2}) EXPECT_FALSE(Lv2TestInstance(channels, rate).Valid()) << rate;
        EXPECT_EQ(SharedPluginModule::References(), before + 2) << "refused instances keep no reference";
    }
    EXPECT_EQ(SharedPluginModule::References(), before);
    EXPECT_EQ(lv2_descriptor(2), nullptr);
}

}  // namespace
