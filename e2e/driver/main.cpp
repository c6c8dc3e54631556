// The end-to-end driver: runs one scenario's cases against the real launcher,
// up to --jobs cases at a time, and ends with "N passed, M failed".
//   driver <scenario> --launcher EXE --target-dir DIR --work DIR [--debug-log FILE] [--jobs N] [--setup EXE]
#include <atomic>
#include <cstdio>
#include <mutex>
#include <thread>

#include "harness.h"

namespace {

int Usage() {
    std::printf("usage: driver <scenario> --launcher EXE --target-dir DIR --work DIR [--debug-log FILE] [--jobs N] [--setup EXE]\n");
    std::printf("scenarios:");
    for (const Scenario& s : AllScenarios()) std::printf(" %s", s.name.c_str());
    std::printf("\n");
    return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return Usage();
    Env env;
    for (int i = 2; i + 1 < argc; i += 2) {
        std::wstring option = argv[i];
        if (option == L"--launcher") env.launcher = argv[i + 1];
        else if (option == L"--target-dir") env.targetDir = argv[i + 1];
        else if (option == L"--work") env.workRoot = argv[i + 1];
        else if (option == L"--debug-log") env.debugLog = argv[i + 1];
        else if (option == L"--jobs") env.jobs = _wtoi(argv[i + 1]);
        else if (option == L"--setup") env.setup = argv[i + 1];
        else return Usage();
    }
    const std::string name = Narrow(argv[1]);
    const Scenario* scenario = nullptr;
    std::vector<Scenario> all = AllScenarios();
    for (const Scenario& s : all) {
        if (s.name == name) scenario = &s;
    }
    if (!scenario || env.launcher.empty() || env.targetDir.empty() || env.workRoot.empty()) return Usage();

    std::mutex outputMutex;
    int passed = 0, failed = 0;
    std::atomic<size_t> next{0};
    auto worker = [&] {
        for (size_t i; (i = next++) < scenario->cases.size();) {
            const Case& one = scenario->cases[i];
            Checker c(one.name);
            DWORD start = GetTickCount();
            one.run(c, env);
            std::lock_guard<std::mutex> lock(outputMutex);
            std::printf("== %s / %s (%lu s): %d passed, %d failed\n%s", name.c_str(), one.name.c_str(),
                        (GetTickCount() - start) / 1000, c.passed, c.failed, c.Log().c_str());
            std::fflush(stdout);
            passed += c.passed;
            failed += c.failed;
        }
    };
    std::vector<std::thread> workers;
    for (int j = 0; j < (env.jobs < 1 ? 1 : env.jobs); ++j) workers.emplace_back(worker);
    for (auto& w : workers) w.join();
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 && passed > 0 ? 0 : 1;
}
