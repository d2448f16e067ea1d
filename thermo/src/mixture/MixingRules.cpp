#include "MixingRules.h"

#include "ThermoError.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

namespace velutra::thermo {

namespace {

using Json = nlohmann::json;

bool SameName(const std::string& a, const std::string& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char p, char q) {
        return std::tolower(static_cast<unsigned char>(p)) == std::tolower(static_cast<unsigned char>(q));
    });
}

ResidualHelmholtz ParseDeparture(const Json& f) {
    if (f.at("type").get<std::string>() != "power")
        throw ThermoError(ErrorCode::BadFluidFile, "departure functions must be of type \"power\"");
    const auto n = f.at("n").get<std::vector<double>>();
    const auto t = f.at("t").get<std::vector<double>>();
    const auto d = f.at("d").get<std::vector<int>>();
    const auto l = f.at("l").get<std::vector<int>>();
    if (t.size() != n.size() || d.size() != n.size() || l.size() != n.size())
        throw ThermoError(ErrorCode::BadFluidFile, "departure term arrays of unequal length");
    std::vector<PowerTerm> terms;
    for (std::size_t k = 0; k < n.size(); ++k)
        terms.push_back({ n[k], t[k], 0.0, d[k], l[k] });
    return ResidualHelmholtz(PowerTerms(std::move(terms)), GaussianTerms());
}

} // namespace

MixingRules::MixingRules(std::vector<Pair> pairs, std::map<std::string, ResidualHelmholtz> functions)
    : pairs_(std::move(pairs))
    , functions_(std::move(functions)) {
    for (const Pair& p : pairs_)
        if (p.factor != 0.0 && !functions_.count(p.departure))
            throw ThermoError(ErrorCode::BadFluidFile,
                "the pair " + p.first + "/" + p.second + " names the unknown departure function \""
                    + p.departure + "\"");
}

MixtureModel MixingRules::build(std::vector<PureFluid> components) const {
    const std::size_t n = components.size();
    std::vector<double> tempK;
    std::vector<double> volume;
    for (const PureFluid& c : components) {
        tempK.push_back(c.constants().reducingTempK);
        volume.push_back(1.0 / c.constants().reducingRho);
    }
    std::vector<std::vector<ReducingPair>> reducing(n, std::vector<ReducingPair>(n));
    std::vector<DeparturePair> departures;
    std::vector<ResidualHelmholtz> functions;
    std::vector<std::string> functionNames;
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t j = i + 1; j < n; ++j) {
            const std::string& a = components[i].name();
            const std::string& b = components[j].name();
            const auto found = std::find_if(pairs_.begin(), pairs_.end(), [&](const Pair& p) {
                return (SameName(p.first, a) && SameName(p.second, b))
                    || (SameName(p.first, b) && SameName(p.second, a));
            });
            if (found == pairs_.end())
                throw ThermoError(ErrorCode::BadFluidFile,
                    // NOLINTNEXTLINE(performance-inefficient-string-concatenation): built once, to throw
                    "the mixing-rule file has no parameters for the pair " + a + "/" + b);
            ReducingPair r = found->reducing;
            if (!SameName(found->first, a)) {
                // Parameters given for (j, i): beta turns into 1/beta.
                r.betaT = 1.0 / r.betaT;
                r.betaV = 1.0 / r.betaV;
            }
            reducing[i][j] = r;
            if (found->factor == 0.0)
                continue;
            auto name = std::find(functionNames.begin(), functionNames.end(), found->departure);
            if (name == functionNames.end()) {
                functionNames.push_back(found->departure);
                functions.push_back(functions_.at(found->departure));
                name = functionNames.end() - 1;
            }
            departures.push_back({ static_cast<int>(i), static_cast<int>(j), found->factor,
                static_cast<int>(name - functionNames.begin()) });
        }
    return MixtureModel(std::move(components),
        ReducingFunction(std::move(tempK), std::move(volume), reducing),
        DepartureFunction(std::move(departures), std::move(functions)), kMixtureGasConstant);
}

MixingRules ParseMixingRules(const std::string& text, const std::string& origin) {
    try {
        const Json root = Json::parse(text);
        std::map<std::string, ResidualHelmholtz> functions;
        for (const auto& [name, f] : root.at("departureFunctions").items())
            functions.emplace(name, ParseDeparture(f));
        std::vector<MixingRules::Pair> pairs;
        for (const Json& p : root.at("pairs")) {
            const auto fluids = p.at("fluids").get<std::vector<std::string>>();
            if (fluids.size() != 2)
                throw ThermoError(ErrorCode::BadFluidFile, "a pair must name two fluids");
            MixingRules::Pair pair;
            pair.first = fluids[0];
            pair.second = fluids[1];
            pair.reducing = { p.at("betaT").get<double>(), p.at("gammaT").get<double>(),
                p.at("betaV").get<double>(), p.at("gammaV").get<double>() };
            pair.factor = p.at("F").get<double>();
            if (pair.factor != 0.0)
                pair.departure = p.at("departure").get<std::string>();
            if (!(pair.reducing.betaT > 0.0) || !(pair.reducing.betaV > 0.0) || !(pair.reducing.gammaT > 0.0)
                || !(pair.reducing.gammaV > 0.0))
                throw ThermoError(ErrorCode::BadFluidFile,
                    "the reducing parameters of " + pair.first + "/" + pair.second + " must be positive");
            pairs.push_back(std::move(pair));
        }
        return MixingRules(std::move(pairs), std::move(functions));
    } catch (const ThermoError& e) {
        throw ThermoError(e.code(), "mixing-rule file " + origin + ": " + e.what());
    } catch (const Json::exception& e) {
        throw ThermoError(
            ErrorCode::BadFluidFile, "mixing-rule file " + origin + " is not valid: " + e.what());
    }
}

MixingRules LoadMixingRules(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw ThermoError(ErrorCode::BadFluidFile, "cannot open mixing-rule file " + path);
    std::ostringstream text;
    text << in.rdbuf();
    return ParseMixingRules(text.str(), path);
}

} // namespace velutra::thermo
