#include "SaturationStartValues.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace velutra::thermo {

namespace {

// Degree of each piece's expansions (degree + 1 Lobatto nodes, each one full solution).
constexpr int kDegree = 10;
// Widest and narrowest piece, K: away from the critical region a 10 K piece meets the tolerance;
// closer to it pieces are halved down to this.
constexpr double kWidestPiece = 10.0;
constexpr double kNarrowestPiece = 0.25;
// Largest deviation of a piece from the full solution at its test points, in the logarithms of
// densities and pressure: the saturation iteration's first step is then under its own step
// tolerance of 1e-9, so it ends after one step.
constexpr double kFitTolerance = 1e-10;
// Test points between the nodes, in the piece's variable x in [-1, 1].
constexpr double kTestPoints[] = { -0.55, 0.45 };

double Clenshaw(const std::vector<double>& c, double x) {
    double b1 = 0.0;
    double b2 = 0.0;
    for (std::size_t k = c.size(); k-- > 1;) {
        const double b = 2.0 * x * b1 - b2 + c[k];
        b2 = b1;
        b1 = b;
    }
    return x * b1 - b2 + c[0];
}

double NodeX(int k) {
    // Increasing in k: x_0 = -1, x_N = 1.
    return -std::cos(std::numbers::pi * k / kDegree);
}

} // namespace

SaturationStartValues::SaturationStartValues(const MixtureModel& model, const Composition& z)
    : model_(model)
    , z_(z)
    , n_(model.size()) {
    dew_.dew = true;
    bubble_.dew = false;
    fit(dew_);
    fit(bubble_);
}

MixtureSaturation SaturationStartValues::solve(bool dew, double tempK, const MixtureSaturation* near) const {
    return dew ? DewPointAtT(model_, z_, tempK, near) : BubblePointAtT(model_, z_, tempK, near);
}

std::vector<double> SaturationStartValues::variablesOf(bool dew, const MixtureSaturation& sat) const {
    std::vector<double> v(n_ + 2);
    const Composition& incipient = dew ? sat.x : sat.y;
    const double rhoIncipient = dew ? sat.rhoL : sat.rhoV;
    for (int i = 0; i < n_; ++i)
        v[i] = std::log(incipient[i] * rhoIncipient);
    v[n_] = std::log(dew ? sat.rhoV : sat.rhoL);
    v[n_ + 1] = std::log(sat.pressure);
    return v;
}

MixtureSaturation SaturationStartValues::stateFrom(bool dew, double tempK, const double* values) const {
    MixtureSaturation s;
    Composition incipient {};
    double rhoIncipient = 0.0;
    for (int i = 0; i < n_; ++i) {
        incipient[i] = std::exp(values[i]);
        rhoIncipient += incipient[i];
    }
    for (int i = 0; i < n_; ++i)
        incipient[i] /= rhoIncipient;
    const double rhoBulk = std::exp(values[n_]);
    s.tempK = tempK;
    s.pressure = std::exp(values[n_ + 1]);
    s.rhoL = dew ? rhoIncipient : rhoBulk;
    s.rhoV = dew ? rhoBulk : rhoIncipient;
    s.x = dew ? incipient : z_;
    s.y = dew ? z_ : incipient;
    return s;
}

void SaturationStartValues::fit(Curve& curve) const {
    const int variables = n_ + 2;
    const double limit = model_.reducingTempK(z_);
    double t = model_.minTempK();
    MixtureSaturation first = solve(curve.dew, t, nullptr);
    if (!first.outcome.ok())
        return;
    std::vector<std::vector<double>> values(kDegree + 1);
    std::vector<MixtureSaturation> nodes(kDegree + 1);
    nodes[0] = first;
    double width = kWidestPiece;
    while (width >= kNarrowestPiece) {
        const double tEnd = std::min(t + width, limit);
        if (tEnd - t < kNarrowestPiece)
            break;
        const double mid = 0.5 * (t + tEnd);
        const double half = 0.5 * (tEnd - t);
        bool solved = true;
        for (int k = 1; k <= kDegree && solved; ++k) {
            nodes[k] = solve(curve.dew, mid + half * NodeX(k), &nodes[k - 1]);
            solved = nodes[k].outcome.ok();
        }
        if (!solved) {
            width *= 0.5;
            continue;
        }
        for (int k = 0; k <= kDegree; ++k)
            values[k] = variablesOf(curve.dew, nodes[k]);
        // Chebyshev-Lobatto interpolation: c_j = (2/N) sum'' f_k T_j(x_k), first and last halved.
        Piece piece { t, tEnd,
            std::vector<std::vector<double>>(variables, std::vector<double>(kDegree + 1)) };
        for (int v = 0; v < variables; ++v) {
            for (int j = 0; j <= kDegree; ++j) {
                double sum = 0.0;
                for (int k = 0; k <= kDegree; ++k) {
                    const double w = (k == 0 || k == kDegree) ? 0.5 : 1.0;
                    sum += w * values[k][v] * std::cos(std::numbers::pi * j * (kDegree - k) / kDegree);
                }
                piece.coef[v][j] = sum * 2.0 / kDegree * ((j == 0 || j == kDegree) ? 0.5 : 1.0);
            }
        }
        bool accurate = true;
        for (double x : kTestPoints) {
            const int nearest
                = static_cast<int>(std::lround((1.0 - std::acos(x) / std::numbers::pi) * kDegree));
            const MixtureSaturation exact = solve(curve.dew, mid + half * x, &nodes[nearest]);
            if (!exact.outcome.ok()) {
                accurate = false;
                break;
            }
            const std::vector<double> want = variablesOf(curve.dew, exact);
            for (int v = 0; v < variables && accurate; ++v)
                accurate = std::fabs(Clenshaw(piece.coef[v], x) - want[v]) <= kFitTolerance;
        }
        if (!accurate) {
            width *= 0.5;
            continue;
        }
        curve.pieces.push_back(std::move(piece));
        t = tEnd;
        nodes[0] = nodes[kDegree];
    }
}

bool SaturationStartValues::Curve::evaluate(double tempK, int variables, double* values) const {
    if (!(tempK >= minTempK() && tempK <= maxTempK()))
        return false;
    const auto it = std::lower_bound(
        pieces.begin(), pieces.end(), tempK, [](const Piece& p, double t) { return p.tMax < t; });
    const Piece& p = it == pieces.end() ? pieces.back() : *it;
    const double x = std::clamp((2.0 * tempK - p.tMax - p.tMin) / (p.tMax - p.tMin), -1.0, 1.0);
    for (int v = 0; v < variables; ++v)
        values[v] = Clenshaw(p.coef[v], x);
    return true;
}

std::optional<MixtureSaturation> SaturationStartValues::Curve::at(
    const SaturationStartValues& owner, double tempK) const {
    double values[kMaxComponents + 2];
    if (!evaluate(tempK, owner.n_ + 2, values))
        return std::nullopt;
    return owner.stateFrom(dew, tempK, values);
}

std::optional<MixtureSaturation> SaturationStartValues::Curve::atPressure(
    const SaturationStartValues& owner, double pressureKPa) const {
    if (pieces.empty() || !(pressureKPa > 0.0))
        return std::nullopt;
    const int lnPSlot = owner.n_ + 1;
    const double lnP = std::log(pressureKPa);
    // ln p rises with T along the curve: bisection over the whole fitted range.
    const auto lnPAt = [&](double t) {
        double values[kMaxComponents + 2];
        evaluate(t, lnPSlot + 1, values);
        return values[lnPSlot];
    };
    double lo = minTempK();
    double hi = maxTempK();
    if (!(lnPAt(lo) <= lnP && lnP <= lnPAt(hi)))
        return std::nullopt;
    for (int k = 0; k < 60 && hi - lo > 1e-12 * hi; ++k) {
        const double mid = 0.5 * (lo + hi);
        (lnPAt(mid) < lnP ? lo : hi) = mid;
    }
    return at(owner, 0.5 * (lo + hi));
}

} // namespace velutra::thermo
