#include "unit/run_time_fixture.h"

#include "host/lifecycle_exports.h"
#include "host_runtime.h"
#include "image_filters.h"
#include "runtime/run_object_entry.h"
#include "standin/clock.h"
#include "standin/faults.h"
#include "support/log_capture.h"
#include "support/wide.h"

#include <cstdio>
#include <cstring>

std::string Hex(const void* handle) {
    return Hex(static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(handle)));
}

std::string Hex(unsigned long value) {
    char text[16];
    std::snprintf(text, sizeof text, "%lx", value);
    return text;
}

void RunTimeTest::SetUp() {
    StartFreshModuleLog();
    standin::UseManualClock(0);
    ASSERT_EQ(Initialize(editHost.Record(), 1), 0);
    ASSERT_EQ(GetRunObjectInfos(editHost.Record(), &infos), 1);
    host.reset(new hoststandin::RunHost(640, 480));
}

void RunTimeTest::TearDown() {
    for (auto& object : objects)
        DestroyRunObject(object.get(), 0);
    objects.clear();
    host.reset();
    Free(editHost.Record());
    EndModuleLog();
    standin::ResetPlatform(); // frees what a grab left on the clipboard
}

void RunTimeTest::OfferImageServices() {
    hoststandin::InstallHostRuntime();
    application.imageFilterManager = &hoststandin::StandardImageFilters();
    host->Header()->application = &application;
}

std::string RunTimeTest::WriteClip(const std::string& name, const media::AviClip& clip) {
    const std::string path = "C:\\clips\\" + name;
    EXPECT_TRUE(media::WriteAvi(path, clip)) << path;
    return path;
}

media::AviClip SmallClip(int frames) {
    media::AviClip clip;
    clip.width = 32;
    clip.height = 24;
    clip.frames = frames;
    return clip;
}

RunObject* RunTimeTest::Create(const ObjectSettings& settings, LONG x, LONG y) {
    objects.push_back(host->NewObject(x, y));
    RunObject* object = objects.back().get();
    ObjectSettings copy = settings;
    createResult = CreateRunObject(object, &copy, nullptr);
    return object;
}

RunObject* RunTimeTest::Create(const std::string& file, WORD flags, SHORT width, SHORT height) {
    const std::u16string name = U16FromUtf8(file);
    return Create(hoststandin::MakeSettings(Wide(name), width, height, flags));
}

long RunTimeTest::Condition(RunObject* object, int code, long param1) {
    return infos.conditions[code](object, param1, 0);
}

long RunTimeTest::Action(RunObject* object, int code, long param1, long param2) {
    return infos.actions[code](object, param1, param2);
}

long RunTimeTest::Action(RunObject* object, int code, const std::string& text) {
    texts.push_back(U16FromUtf8(text));
    return Action(object, code, static_cast<long>(reinterpret_cast<LONG_PTR>(Wide(texts.back()))));
}

long RunTimeTest::Expression(RunObject* object, int code) {
    return infos.expressions[code](object, 0);
}

float RunTimeTest::AsFloat(long bits) {
    float value = 0.0f;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

std::string RunTimeTest::AsText(long address) {
    return Utf8(reinterpret_cast<LPCWSTR>(static_cast<LONG_PTR>(address)));
}

std::vector<BYTE> RunTimeTest::Snapshot(const RunObject* object) {
    const BYTE* bytes = reinterpret_cast<const BYTE*>(object);
    return std::vector<BYTE>(bytes, bytes + sizeof(RunObject));
}

::testing::AssertionResult RunTimeTest::LoggedInOrder(const std::vector<std::string>& expected) {
    const std::vector<std::string> lines = LogLines();
    size_t next = 0;
    for (const std::string& line : lines)
        if (next < expected.size() && line == expected[next])
            ++next;
    if (next == expected.size())
        return ::testing::AssertionSuccess();
    ::testing::AssertionResult failure = ::testing::AssertionFailure();
    failure << "missing in order: \"" << expected[next] << "\"; the log holds:";
    for (const std::string& line : lines)
        failure << "\n  " << line;
    return failure;
}
