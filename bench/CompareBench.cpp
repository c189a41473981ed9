// The whole comparison (both passes over both sections, the report in Memo1 and the log
// file) for no change, every entry rewritten and every entry added, at 4998 entries and
// at 20000, against the bare walks: the same comparisons of names and stamps over plain
// strings, with no report and no file.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "Figures.h"
#include "app/Unit1.h"
#include "compare/Compare.h"
#include "scan/RunState.h"

namespace bench {

namespace {

enum class Change { None, Rewritten, Added };

struct Case {
    const char *name;
    Change change;
    int windows;  // entries of the Windows section
    int system;   // entries of the System section
};

const Case Cases[] = {
    {"none/4998", Change::None, 2000, 2998},
    {"rewritten/4998", Change::Rewritten, 2000, 2998},
    {"added/4998", Change::Added, 2000, 2998},
    {"none/20000", Change::None, 8000, 12000},
    {"rewritten/20000", Change::Rewritten, 8000, 12000},
    {"added/20000", Change::Added, 8000, 12000},
};

// Both pairs of lists as a scan and a load leave them. Every entry added: the previous
// sections hold as many entries of other names, so that each search runs to its end.
struct Lists {
    std::vector<std::string> nowNames, nowStamps, prevNames, prevStamps;
};

Lists Make(const Case &c) {
    Lists l;
    auto section = [&](const char *folder, int count) {
        for (int i = 0; i < count; ++i) {
            std::string stamp =
                "97/05/0" + std::to_string(1 + i % 3) + " 9:0" + std::to_string(i % 10) + ":44";
            l.nowNames.push_back(folder + EntryName("Module", i));
            l.nowStamps.push_back(stamp);
            l.prevNames.push_back(folder +
                                  EntryName(c.change == Change::Added ? "Other" : "Module", i));
            l.prevStamps.push_back(c.change == Change::Rewritten ? "96/11/02 8:00:00" : stamp);
        }
        for (auto *list : {&l.nowNames, &l.nowStamps, &l.prevNames, &l.prevStamps})
            list->push_back("*");
    };
    section("C:\\Windows\\", c.windows);
    section("C:\\Windows\\System\\", c.system);
    return l;
}

void Load(const Lists &l) {
    int slots = static_cast<int>(l.nowNames.size());
    MakeRoom(NowNames, NowStamps, slots - 1);
    MakeRoom(PrevNames, PrevStamps, slots - 1);
    for (int i = 0; i < slots; ++i) {
        auto at = static_cast<std::size_t>(i);
        NowNames[i] = AnsiString::FromBytes(l.nowNames[at]);
        NowStamps[i] = AnsiString::FromBytes(l.nowStamps[at]);
        PrevNames[i] = AnsiString::FromBytes(l.prevNames[at]);
        PrevStamps[i] = AnsiString::FromBytes(l.prevStamps[at]);
    }
    PrevCount = slots;
    NowDate = "97/05/03";
    NowTime = "9:05:03";
    ListIndex = 0;
}

// The walks of both passes over both sections, on plain strings: the floor of any
// comparison that keeps them. Returns the number of hits, so none is left out.
int BareWalks(const Lists &l) {
    const std::vector<std::string> &now = l.nowNames, &prev = l.prevNames;
    const std::string mark = "*";
    std::size_t prevSystem = 0;
    while (prev[prevSystem] != mark) ++prevSystem;
    ++prevSystem;
    int hits = 0;
    for (int pass = 0; pass < 2; ++pass) {
        std::size_t i = 0;
        for (std::size_t prevStart : {std::size_t{0}, prevSystem}) {
            for (; now[i] != mark; ++i) {
                bool found = false;
                for (std::size_t j = prevStart; prev[j] != mark; ++j) {
                    if (prev[j] != now[i]) continue;
                    if (pass == 1 || l.prevStamps[j] != l.nowStamps[i]) {
                        found = true;
                        break;
                    }
                }
                hits += (pass == 0) == found ? 1 : 0;
            }
            ++i;
        }
    }
    return hits;
}

}  // namespace

std::vector<Figure> RegisterCompare(const BenchDrive &) {
    std::vector<Figure> figures;
    for (const Case &c : Cases) {
        std::string subject = std::string("compare/CompareAndReport/") + c.name;
        std::string floor = std::string("compare/walks/") + c.name;
        benchmark::RegisterBenchmark(subject.c_str(),
                                     [&c](benchmark::State &state) {
                                         Load(Make(c));
                                         for (auto _ : state) {
                                             state.PauseTiming();
                                             Form1->Memo1->Clear();
                                             state.ResumeTiming();
                                             CompareAndReport();
                                         }
                                         state.counters["lines"] = Form1->Memo1->Lines->Count();
                                     })
            ->UseRealTime()
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(floor.c_str(),
                                     [&c](benchmark::State &state) {
                                         Lists l = Make(c);
                                         for (auto _ : state)
                                             benchmark::DoNotOptimize(BareWalks(l));
                                     })
            ->UseRealTime()
            ->Unit(benchmark::kMillisecond);
        figures.push_back({std::string("CompareAndReport, ") + c.name, subject, floor});
    }
    return figures;
}

}  // namespace bench
