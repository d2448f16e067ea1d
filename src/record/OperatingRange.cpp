#include "record/OperatingRange.h"

#include <algorithm>
#include <cmath>

namespace velutra {

namespace {

using Point = std::pair<double, double>;

// z of (b - a) x (c - a): positive when c lies to the left of a -> b.
double Cross(const Point& a, const Point& b, const Point& c) {
    return (b.first - a.first) * (c.second - a.second) - (b.second - a.second) * (c.first - a.first);
}

// A point the hull's own edge runs through must count as inside despite rounding in the logs.
constexpr double kOnEdge = 1e-12;

} // namespace

void OperatingRange::Add(double pressureRatio, double suctionPressureKPa) {
    minRatio = empty ? pressureRatio : std::min(minRatio, pressureRatio);
    maxRatio = empty ? pressureRatio : std::max(maxRatio, pressureRatio);
    minSuctionKPa = empty ? suctionPressureKPa : std::min(minSuctionKPa, suctionPressureKPa);
    maxSuctionKPa = empty ? suctionPressureKPa : std::max(maxSuctionKPa, suctionPressureKPa);
    empty = false;
    points_.emplace_back(std::log(pressureRatio), std::log(suctionPressureKPa));
}

// Andrew's monotone chain: the lower and the upper hull of the points sorted by x.
void OperatingRange::MakeHull() {
    std::vector<Point> points = points_;
    std::sort(points.begin(), points.end());
    points.erase(std::unique(points.begin(), points.end()), points.end());
    hull.clear();
    if (points.size() < 3)
        return;
    std::vector<Point> chain(2 * points.size());
    size_t k = 0;
    for (const Point& p : points) {
        while (k >= 2 && Cross(chain[k - 2], chain[k - 1], p) <= 0)
            --k;
        chain[k++] = p;
    }
    for (size_t i = points.size() - 1, lower = k + 1; i-- > 0;) {
        while (k >= lower && Cross(chain[k - 2], chain[k - 1], points[i]) <= 0)
            --k;
        chain[k++] = points[i];
    }
    chain.resize(k - 1);
    if (chain.size() >= 3)
        hull = std::move(chain);
}

bool OperatingRange::Contains(double pressureRatio, double suctionPressureKPa) const {
    if (empty
        || !(pressureRatio >= minRatio && pressureRatio <= maxRatio && suctionPressureKPa >= minSuctionKPa
            && suctionPressureKPa <= maxSuctionKPa))
        return false;
    const Point p { std::log(pressureRatio), std::log(suctionPressureKPa) };
    for (size_t i = 0; i < hull.size(); ++i) {
        const Point& a = hull[i];
        const Point& b = hull[(i + 1) % hull.size()];
        const double length = std::hypot(b.first - a.first, b.second - a.second);
        if (Cross(a, b, p) < -kOnEdge * length)
            return false;
    }
    return true;
}

} // namespace velutra
