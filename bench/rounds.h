// Times measured once a round on a shared machine, whose load comes and goes: the best of the
// rounds, their median, and ratios of two times taken within each round (the two shared the
// load of the moment, so the median of those ratios is the steadier figure).
#pragma once

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

using Series = std::vector<double>;  // milliseconds, one a round

inline double Best(const Series& s) {
    return *std::min_element(s.begin(), s.end());
}

inline double Median(Series s) {
    std::sort(s.begin(), s.end());
    const std::size_t half = s.size() / 2;
    return s.size() % 2 ? s[half] : (s[half - 1] + s[half]) / 2;
}

// The ratio of the best times.
inline double BestRatio(const Series& a, const Series& b) {
    return Best(a) / Best(b);
}

// The median of the ratios round by round.
inline double MedianRatio(const Series& a, const Series& b) {
    Series ratios;
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) ratios.push_back(a[i] / b[i]);
    return Median(ratios);
}

// One line of figures: the best and the median time, and the best per item when items > 0.
inline void PrintTimes(const std::string& what, const Series& s, int items = 0,
                       const char* item = "") {
    std::printf("  %-54s %7.1f ms best, %7.1f median", what.c_str(), Best(s), Median(s));
    if (items > 0) std::printf(", %.3f ms/%s", Best(s) / items, item);
    std::printf("\n");
}

inline void PrintRatios(const std::string& what, const Series& a, const Series& b) {
    std::printf("  %-54s %7.2f best, %7.2f median in a round\n", what.c_str(), BestRatio(a, b),
                MedianRatio(a, b));
}
