// The main of a Qt benchmark program: its one QApplication, on the offscreen platform unless the
// environment names one, lives around the benchmarks, so that Qt is gone before the program's
// exit handlers run. What a program keeps of Qt between benchmarks must go before the
// QApplication: a routine given to qAddPostRoutine releases it.
#pragma once

namespace mundor::bench {

int RunQtBenchmarks(int argc, char** argv);

}  // namespace mundor::bench
