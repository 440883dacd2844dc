// What every benchmark program shares: a Qt application made before the benchmarks run (the
// offscreen platform unless one is set), and the baseline's JSON parse.
#pragma once

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QByteArray>
#include <QJsonDocument>

#include <cstdlib>

// The bare-Qt side parses the answer as such a program would.
inline QJsonDocument QJsonLikeParse(const QByteArray& bytes) {
  return QJsonDocument::fromJson(bytes);
}

// Iterations for a full run, or 2 when VELMO_BENCH_SMOKE is set (the build's smoke run only
// proves that the program still works).
inline int BenchIterations(int full) { return std::getenv("VELMO_BENCH_SMOKE") ? 2 : full; }

#define VELMO_BENCH_MAIN()                                                          \
  int main(int argc, char** argv) {                                                 \
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1); \
    QApplication app(argc, argv);                                                   \
    benchmark::Initialize(&argc, argv);                                             \
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;               \
    benchmark::RunSpecifiedBenchmarks();                                            \
    benchmark::Shutdown();                                                          \
    return 0;                                                                       \
  }
