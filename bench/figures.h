#pragma once
// What every benchmark shares: its one output format, "name: value (target …)", and timing.
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

inline void line(const char* name, double value, const char* unit, const char* target)
{
    std::printf("%s: %.3g%s (target %s)\n", name, value, unit, target);
    std::fflush(stdout);
}

inline void line(const char* name, double value, const char* target) { line(name, value, "", target); }

// Mean time of f(0) … f(n-1), in microseconds.
inline double meanMicros(int n, const std::function<void(int)>& f)
{
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < n; ++i)
        f(i);
    return double(t.nsecsElapsed()) / 1e3 / n;
}

inline double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}
