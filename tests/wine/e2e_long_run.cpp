// End to end, a long run: objects with a file created and destroyed again and again in one
// session keep the process's handles, windows and memory flat, apart from what Wine's own
// DirectShow keeps for every graph it has built:
//  - WineGraphsLeak: a plain filter graph rendering the clip, run, stopped and released to a
//    reference count of 0 leaves about a hundred handles and some megabytes behind each time
//    (measured here as the baseline). One object cycle builds two graphs: the property sheet's
//    measuring graph and the object's own.
// The program takes the number of object cycles as its argument (default 5).
#include "wine/e2e_support.h"

#include "process_figures.h"

#include <cstdlib>
#include <dshow.h>

namespace {

using namespace e2e;

void PlainGraphCycle(const std::string& file) {
    IGraphBuilder* graph = nullptr;
    if (FAILED(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                reinterpret_cast<void**>(&graph))))
        return;
    std::u16string wide = WideFromUtf8(file);
    graph->RenderFile(AsWide(wide), nullptr);
    IMediaControl* control = nullptr;
    if (SUCCEEDED(graph->QueryInterface(IID_IMediaControl, reinterpret_cast<void**>(&control)))) {
        control->Run();
        Sleep(30);
        control->Stop();
        control->Release();
    }
    graph->Release();
}

struct Growth {
    double handles;
    double memoryKb;
};

Growth PerCycle(const ProcessFigures& before, const ProcessFigures& after, int cycles) {
    return Growth{static_cast<double>(after.handles - before.handles) / cycles,
                  static_cast<double>(after.memoryKb - before.memoryKb) / cycles};
}

} // namespace

int main(int argc, char** argv) {
    const int cycles = argc > 1 ? std::atoi(argv[1]) : 5;
    if (cycles <= 0 || cycles > 10000) {
        std::printf("usage: e2e_long_run [cycles]\n");
        return 2;
    }
    Host host;
    if (!host)
        return WineCheckSummary();
    host->PrintCalls(false);
    const std::string clip = DefaultClip();
    ObjectOptions options;
    options.file = clip;
    auto objectCycle = [&] {
        const int number = host->CreateObject(options);
        CHECK_EQ(host->CreateResult(number), 0);
        host->Frame();
        host->Frame();
        host->DestroyObject(number);
        host->Frame();
    };
    for (int i = 0; i < 3; ++i) // first-use allocations of the platform and the module
        objectCycle();
    const ProcessFigures objectsBefore = CurrentProcessFigures();
    for (int i = 0; i < cycles; ++i)
        objectCycle();
    const ProcessFigures objectsAfter = CurrentProcessFigures();

    const int graphs = 2 * cycles;
    for (int i = 0; i < 3; ++i)
        PlainGraphCycle(clip);
    const ProcessFigures graphsBefore = CurrentProcessFigures();
    for (int i = 0; i < graphs; ++i)
        PlainGraphCycle(clip);
    const ProcessFigures graphsAfter = CurrentProcessFigures();

    const Growth object = PerCycle(objectsBefore, objectsAfter, cycles);
    const Growth graph = PerCycle(graphsBefore, graphsAfter, graphs);
    std::printf("%d object cycles: before %s\n", cycles, Describe(objectsBefore).c_str());
    std::printf("%d object cycles: after  %s\n", cycles, Describe(objectsAfter).c_str());
    std::printf("%d plain graphs:  before %s\n", graphs, Describe(graphsBefore).c_str());
    std::printf("%d plain graphs:  after  %s\n", graphs, Describe(graphsAfter).c_str());
    std::printf("per object cycle: %.1f handles, %.0f KiB; per plain graph (Wine's own): %.1f "
                "handles, %.0f KiB\n",
                object.handles, object.memoryKb, graph.handles, graph.memoryKb);
    // No window is left behind, and an object cycle keeps no more handles than Wine keeps for
    // its two graphs: a graph or a file the module forgot would add dozens. Memory moves in the
    // allocator's steps, so it gets a wider margin.
    CHECK_EQ(objectsAfter.userObjects, objectsBefore.userObjects);
    CHECK(object.handles <= 2 * graph.handles + 2);
    CHECK(object.memoryKb <= 2.5 * graph.memoryKb + 1024);
    return WineCheckSummary();
}
