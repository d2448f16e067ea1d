// The map grid the cycle-state benchmarks average over.
#pragma once

#include <vector>

namespace velutra::bench {

struct MapPoint {
    double teK;
    double tcK;
};

// The evaporating and condensing temperatures of the default English map (Te -40..20 F by 10,
// Tc 90..140 F by 10) and of the default SI map (Te -40..-10 C by 5, Tc 35..65 C by 10).
inline std::vector<MapPoint> MapGrid() {
    std::vector<MapPoint> grid;
    const auto kelvinF = [](double f) { return (f + 459.67) * 5.0 / 9.0; };
    for (int tc = 90; tc <= 140; tc += 10)
        for (int te = -40; te <= 20; te += 10)
            grid.push_back({ kelvinF(te), kelvinF(tc) });
    for (int tc = 35; tc <= 65; tc += 10)
        for (int te = -40; te <= -10; te += 5)
            grid.push_back({ te + 273.15, tc + 273.15 });
    return grid;
}

} // namespace velutra::bench
