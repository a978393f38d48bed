// Test fixture (unit tests only): a running frame for run-time object tests: a fresh platform and
// module log, the module initialised as the host does it, a run host with its frame window, the
// routine tables from GetRunObjectInfos, and generated clips in the sandbox.
#pragma once

#include "edit_host.h"
#include "run_host.h"
#include "media_writer.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

// Frames of 32 x 24 at 25 per second (one second by default), quick to write; tests whose
// results depend on the picture size ask for it explicitly.
media::AviClip SmallClip(int frames = 25);

class RunTimeTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // The host's image services (HOSTRT.dll) and the application's image-filter manager, as the
    // frame grab reaches them.
    void OfferImageServices();

    // Writes a generated clip as C:\clips\<name>; answers that Windows path.
    std::string WriteClip(const std::string& name, const media::AviClip& clip = SmallClip());

    // CreateRunObject on a new host-allocated object; its result is kept in createResult.
    RunObject* Create(const ObjectSettings& settings, LONG x = 0, LONG y = 0);
    RunObject* Create(const std::string& file, WORD flags, SHORT width = 320, SHORT height = 240);
    int createResult = 0;

    // The routines, called through the tables the host received.
    long Condition(RunObject* object, int code, long param1 = 0);
    long Action(RunObject* object, int code, long param1 = 0, long param2 = 0);
    long Action(RunObject* object, int code, const std::string& text);
    long Expression(RunObject* object, int code);

    static float AsFloat(long bits);
    static std::string AsText(long address);

    // The log lines written so far contain `expected` in this order (other lines may come between).
    static ::testing::AssertionResult LoggedInOrder(const std::vector<std::string>& expected);

    // A whole RunObject as bytes, to show that a routine changed nothing.
    static std::vector<BYTE> Snapshot(const RunObject* object);

    std::unique_ptr<hoststandin::RunHost> host;
    RunObjectInfos infos = {};
    HostApplication application = {};

  private:
    hoststandin::EditHost editHost;
    std::vector<std::unique_ptr<RunObject>> objects;
    std::vector<std::u16string> texts; // text parameters stay alive for the test
};

// A handle or number as the log's %x shows it.
std::string Hex(const void* handle);
std::string Hex(unsigned long value);

// Every object's settings carry LogMode, so that the tests can read what the object logs.
constexpr WORD kLogged = LogMode;

// Wide text of a UTF-8 string, kept alive by the caller.
inline LPCWSTR Wide(const std::u16string& text) {
    return reinterpret_cast<LPCWSTR>(text.c_str());
}
