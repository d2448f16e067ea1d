#include "FluidFile.h"

#include "ThermoError.h"

#include <cmath>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

namespace velutra::thermo {

namespace {

using Json = nlohmann::json;

std::vector<double> Numbers(const Json& term, const char* key) {
    return term.at(key).get<std::vector<double>>();
}

std::vector<int> Integers(const Json& term, const char* key) {
    return term.at(key).get<std::vector<int>>();
}

void RequireSameSize(std::size_t expected, std::size_t actual, const char* what) {
    if (expected != actual)
        throw ThermoError(ErrorCode::BadFluidFile, std::string("term arrays of unequal length in ") + what);
}

IdealGasHelmholtz ParseIdeal(const Json& terms, double reducingTempK) {
    IdealGasHelmholtz::Terms out;
    for (const Json& term : terms) {
        const std::string type = term.at("type").get<std::string>();
        if (type == "lead") {
            out.a1 += term.at("a1").get<double>();
            out.a2 += term.at("a2").get<double>();
        } else if (type == "logTau") {
            out.aLog += term.at("a").get<double>();
        } else if (type == "power") {
            const auto n = Numbers(term, "n");
            const auto t = Numbers(term, "t");
            RequireSameSize(n.size(), t.size(), "ideal power");
            for (std::size_t k = 0; k < n.size(); ++k)
                out.power.push_back({ n[k], t[k] });
        } else if (type == "planckEinstein") {
            const auto n = Numbers(term, "n");
            const auto t = Numbers(term, "t");
            RequireSameSize(n.size(), t.size(), "Planck-Einstein");
            for (std::size_t k = 0; k < n.size(); ++k)
                out.planckEinstein.push_back({ n[k], t[k] });
        } else if (type == "cp0PolyT") {
            const auto c = Numbers(term, "c");
            const auto t = Numbers(term, "t");
            RequireSameSize(c.size(), t.size(), "cp0PolyT");
            const double t0 = term.at("T0").get<double>();
            for (std::size_t k = 0; k < c.size(); ++k)
                out.cp0Poly.push_back({ c[k], t[k], t0 });
        } else {
            throw ThermoError(ErrorCode::BadFluidFile, "unknown ideal-gas term type \"" + type + "\"");
        }
    }
    return IdealGasHelmholtz(std::move(out), reducingTempK);
}

ResidualHelmholtz ParseResidual(const Json& terms) {
    std::vector<PowerTerm> power;
    std::vector<GaussianTerm> gaussian;
    for (const Json& term : terms) {
        const std::string type = term.at("type").get<std::string>();
        const auto n = Numbers(term, "n");
        const auto d = Integers(term, "d");
        const auto t = Numbers(term, "t");
        RequireSameSize(n.size(), d.size(), type.c_str());
        RequireSameSize(n.size(), t.size(), type.c_str());
        if (type == "power") {
            const auto l = Integers(term, "l");
            RequireSameSize(n.size(), l.size(), "power");
            const auto m = term.contains("m") ? Numbers(term, "m") : std::vector<double>(n.size(), 0.0);
            RequireSameSize(n.size(), m.size(), "power");
            for (std::size_t k = 0; k < n.size(); ++k)
                power.push_back({ n[k], t[k], m[k], d[k], l[k] });
        } else if (type == "gaussian") {
            const auto eta = Numbers(term, "eta");
            const auto epsilon = Numbers(term, "epsilon");
            const auto beta = Numbers(term, "beta");
            const auto gamma = Numbers(term, "gamma");
            for (const auto* v : { &eta, &epsilon, &beta, &gamma })
                RequireSameSize(n.size(), v->size(), "gaussian");
            for (std::size_t k = 0; k < n.size(); ++k)
                gaussian.push_back({ n[k], t[k], eta[k], epsilon[k], beta[k], gamma[k], d[k] });
        } else {
            throw ThermoError(ErrorCode::BadFluidFile, "unknown residual term type \"" + type + "\"");
        }
    }
    return ResidualHelmholtz(PowerTerms(std::move(power)), GaussianTerms(std::move(gaussian)));
}

ChebyshevSeries ParseSeries(const Json& pieces) {
    std::vector<ChebyshevSeries::Piece> out;
    for (const Json& piece : pieces)
        out.push_back(
            { piece.at("Tmin").get<double>(), piece.at("Tmax").get<double>(), Numbers(piece, "coef") });
    return ChebyshevSeries(std::move(out));
}

ReferenceState ParseReference(const std::string& text) {
    if (text == "IIR")
        return ReferenceState::IIR;
    if (text == "NBP")
        return ReferenceState::NBP;
    throw ThermoError(ErrorCode::BadFluidFile, "unknown default reference state \"" + text + "\"");
}

void RequirePositive(double value, const char* what) {
    if (!(value > 0.0) || !std::isfinite(value))
        throw ThermoError(ErrorCode::BadFluidFile, std::string(what) + " must be positive");
}

} // namespace

PureFluid ParseFluidFile(const std::string& text, const std::string& origin) {
    try {
        const Json root = Json::parse(text);
        FluidConstants c;
        c.name = root.at("name").get<std::string>();
        c.molarMass = root.at("molarMass").get<double>();
        c.gasConstant = root.at("gasConstant").get<double>();
        c.reducingTempK = root.at("reducing").at("T").get<double>();
        c.reducingRho = root.at("reducing").at("rho").get<double>();
        c.criticalTempK = root.at("critical").at("T").get<double>();
        c.criticalRho = root.at("critical").at("rho").get<double>();
        c.criticalPressure = root.at("critical").at("p").get<double>();
        c.tripleTempK = root.at("limits").at("Ttriple").get<double>();
        c.maxTempK = root.at("limits").at("Tmax").get<double>();
        // A fluid whose claimed range ends below compressor discharge temperatures names how far
        // its gas phase may be extrapolated; that is then the solvers' upper limit.
        if (root.at("limits").contains("TmaxExtrapolated")) {
            const double extrapolated = root.at("limits").at("TmaxExtrapolated").get<double>();
            if (!(extrapolated >= c.maxTempK))
                throw ThermoError(ErrorCode::BadFluidFile, "TmaxExtrapolated must not be below Tmax");
            c.maxTempK = extrapolated;
        }
        c.maxPressure = root.at("limits").at("pMax").get<double>();
        c.defaultReference = ParseReference(root.at("defaultReference").get<std::string>());
        for (const auto& [value, what] : { std::pair { c.molarMass, "molarMass" },
                 { c.gasConstant, "gasConstant" }, { c.reducingTempK, "reducing T" },
                 { c.reducingRho, "reducing rho" }, { c.criticalTempK, "critical T" },
                 { c.criticalRho, "critical rho" }, { c.criticalPressure, "critical p" },
                 { c.tripleTempK, "Ttriple" }, { c.maxTempK, "Tmax" }, { c.maxPressure, "pMax" } })
            RequirePositive(value, what);

        IdealGasHelmholtz ideal = ParseIdeal(root.at("alpha0"), c.reducingTempK);
        ResidualHelmholtz residual = ParseResidual(root.at("alphar"));
        const Json& sa = root.at("superancillary");
        Superancillary superancillary(
            ParseSeries(sa.at("p")), ParseSeries(sa.at("rhoL")), ParseSeries(sa.at("rhoV")));
        if (superancillary.minTempK() > c.tripleTempK * (1.0 + 1e-12)
            || std::fabs(superancillary.maxTempK() - c.criticalTempK) > 1e-9 * c.criticalTempK)
            throw ThermoError(
                ErrorCode::BadFluidFile, "the superancillary must span triple to critical point");
        return PureFluid(std::move(c), std::move(ideal), std::move(residual), std::move(superancillary));
    } catch (const ThermoError& e) {
        throw ThermoError(e.code(), "fluid file " + origin + ": " + e.what());
    } catch (const Json::exception& e) {
        throw ThermoError(
            ErrorCode::BadFluidFile, "fluid file " + origin + " is not a valid fluid file: " + e.what());
    }
}

PureFluid LoadFluidFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw ThermoError(ErrorCode::BadFluidFile, "cannot open fluid file " + path);
    std::ostringstream text;
    text << in.rdbuf();
    if (!in && !in.eof())
        throw ThermoError(ErrorCode::BadFluidFile, "cannot read fluid file " + path);
    return ParseFluidFile(text.str(), path);
}

} // namespace velutra::thermo
