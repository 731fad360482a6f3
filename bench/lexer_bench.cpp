// Lexer benchmark: writes a generated VYK source of the requested size, tokenizes it and
// prints the throughput and the peak memory against the file size. Built and run by
// bench/lexer_run.sh; not part of the test suite.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "front/Lexer.h"

namespace {

constexpr double kMB = 1024.0 * 1024.0;

// A module of procedures with comments, strings, numbers and nested statements, repeated
// with varying names until the file has `bytes` bytes.
void Generate(const std::string& path, size_t bytes)
{
    std::FILE* f = std::fopen(path.c_str(), "w");
    if (!f) { std::perror(path.c_str()); std::exit(1); }
    size_t written = std::fprintf(f, "MODULE Bench;\nIMPORT Out;\n\nVAR\n\tcounterValue, total: INTEGER;\n"
                                     "\toffsetTable: ARRAY 256 OF LONGINT;\n\n");
    for (unsigned n = 0; written < bytes; ++n) {
        written += std::fprintf(f,
            "(* Procedure number %u: sums a slice of the table (* nested note *) *)\n"
            "PROCEDURE Step%u*(index: INTEGER; VAR result: LONGINT): BOOLEAN;\n"
            "VAR i, limit%u: INTEGER; ratio: REAL;\n"
            "BEGIN\n"
            "\tlimit%u := index MOD 256; ratio := 1.5E-3 * %u.25;\n"
            "\tFOR i := 0 TO limit%u - 1 DO\n"
            "\t\tIF offsetTable[i] >= 0FFH THEN\n"
            "\t\t\tresult := result + offsetTable[i] DIV 2\n"
            "\t\tELSIF offsetTable[i] # %u THEN\n"
            "\t\t\tINC(counterValue); Out.String(\"step %u done\"); Out.Char(41X)\n"
            "\t\tEND\n"
            "\tEND;\n"
            "\tRETURN (result > 0) & (counterValue <= limit%u)\n"
            "END Step%u;\n\n",
            n, n, n, n, n, n, n, n, n, n);
    }
    std::fprintf(f, "BEGIN\n\ttotal := 0\nEND Bench.\n");
    std::fclose(f);
}

double CpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

long PeakKB()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

} // namespace

int main(int argc, char** argv)
{
    std::string path = argc > 1 ? argv[1] : "/tmp/vyk-lexer-bench.vyk";
    size_t mb = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 50;
    Generate(path, mb * size_t(kMB));
    std::FILE* f = std::fopen(path.c_str(), "r");
    std::fseek(f, 0, SEEK_END);
    double size = double(std::ftell(f));
    std::fclose(f);

    long before = PeakKB();
    double cpu0 = CpuSeconds();
    auto t0 = std::chrono::steady_clock::now();
    auto lb = CLexBuf::Tokenize(path, 1);
    auto t1 = std::chrono::steady_clock::now();
    double cpu = CpuSeconds() - cpu0;
    if (!lb) return 1;
    double seconds = std::chrono::duration<double>(t1 - t0).count();
    long after = PeakKB();
    std::printf("file        %.1f MB\n", size / kMB);
    std::printf("tokens      %zu (end-of-line markers included)\n", lb->TokenCount());
    std::printf("time        %.3f s wall, %.3f s processor\n", seconds, cpu);
    std::printf("throughput  %.1f MB/s wall, %.1f MB/s processor (the wall figure suffers on a busy machine)\n",
                size / kMB / seconds, size / kMB / cpu);
    std::printf("peak memory %.1f MB (%.2fx the file; %.1f MB before tokenizing)\n", after / 1024.0,
                after * 1024.0 / size, before / 1024.0);
    std::remove(path.c_str());
    return 0;
}
