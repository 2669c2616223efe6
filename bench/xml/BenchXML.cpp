// Parses a generated 1 MB mission: terrain matrix, thousands of units, comments and a description.
// Prints our MB/s and pugixml's time on the same text, then the ratio of the two.
#include "support/Random.h"
#include "xml/XMLDocument.h"
#include "xml/XMLLoad.h"

#include <benchmark/benchmark.h>
#include <pugixml.hpp>

#include <cstdio>
#include <map>
#include <string>

namespace {

std::string MissionText(std::size_t targetSize) {
    vexo::SeedRand(7);
    const char terrain[] = "....,,^^__/~#";
    std::string text = "<?xml version=\"1.0\" encoding=\"windows-1250\" standalone=\"yes\"?>\r\n<map>\r\n"
                       "  <!-- generated for the benchmark -->\r\n  <matrix>\r\n";
    for (int row = 0; row < 256; ++row) {
        text += "    ";
        for (int col = 0; col < 256; ++col)
            text += terrain[vexo::Rand() % (sizeof terrain - 1)];
        text += "\r\n";
    }
    text += "  </matrix>\r\n  <camera x=\"128\" y=\"128\"/>\r\n  <rect left=\"10\" top=\"10\" width=\"4\" "
            "height=\"4\"/>\r\n"
            "  <text>Bitwa na &quot;sniezki&quot; &amp; zamiec</text>\r\n  <objects>\r\n";
    for (int i = 0; text.size() < targetSize - 32; ++i) {
        text += "    <unit type=\"" + std::string(i % 3 ? "boy" : "girl") + "\" team=\"" +
                std::to_string(i % 2) + "\" x=\"" + std::to_string(vexo::Rand() % 256) + ".5\" y=\"" +
                std::to_string(vexo::Rand() % 256) + ".25\" life=\"" +
                std::to_string(50 + vexo::Rand() % 51) + "\" level=\"" + std::to_string(1 + i % 10) +
                "\" zakopany=\"" + (i % 17 ? "false" : "true") + "\"/>\r\n";
        if (i % 100 == 0) text += "    <!-- oddzial " + std::to_string(i / 100) + " -->\r\n";
    }
    text += "  </objects>\r\n</map>\r\n";
    return text;
}

const std::string& Mission() {
    static const std::string text = MissionText(1 << 20);
    return text;
}

void BM_TundrelParseMission(benchmark::State& state) {
    const std::string& text = Mission();
    for (auto _ : state) {
        vexo::CXMLDocument doc;
        vexo::ParseDocument(doc, text, vexo::MissionReaderOptions());
        benchmark::DoNotOptimize(doc.GetCount());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(text.size()));
}
BENCHMARK(BM_TundrelParseMission)->Unit(benchmark::kMillisecond);

void BM_PugixmlParseMission(benchmark::State& state) {
    const std::string& text = Mission();
    for (auto _ : state) {
        pugi::xml_document doc;
        benchmark::DoNotOptimize(
            doc.load_buffer(text.data(), text.size(), pugi::parse_default, pugi::encoding_latin1));
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(text.size()));
}
BENCHMARK(BM_PugixmlParseMission)->Unit(benchmark::kMillisecond);

// The console report, plus the CPU time per parse of each benchmark for the ratio at the end: on a
// shared machine the wall-clock time says more about the neighbours than about the parser.
class CRatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration && run.iterations > 0)
                milliseconds[run.run_name.function_name] = run.GetAdjustedCPUTime();
    }
    std::map<std::string, double> milliseconds;
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    CRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double ours = reporter.milliseconds["BM_TundrelParseMission"];
    const double pugi = reporter.milliseconds["BM_PugixmlParseMission"];
    const double megabytes = double(Mission().size()) / (1 << 20);
    if (ours > 0)
        std::printf("Tundrel: %.1f MB/s on %.2f MB (%.2f ms CPU per parse)\n", megabytes * 1000 / ours, megabytes,
                    ours);
    if (pugi > 0) std::printf("pugixml: %.2f ms CPU per parse (%.1f MB/s)\n", pugi, megabytes * 1000 / pugi);
    if (ours > 0 && pugi > 0) std::printf("ratio Tundrel/pugixml time: %.2f\n", ours / pugi);
    benchmark::Shutdown();
    return 0;
}
