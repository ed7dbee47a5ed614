#include "core/games.h"

namespace yilou::history {

std::string Game::gameCode() const {
    return std::string(isHappy12() ? "kl12" : "11x5") + std::string(areaCode);
}

const std::array<Game, kGameCount>& games() {
    static constexpr std::array<Game, kGameCount> table{{
        {"广东11选5", "gd", 84, 11},    {"广西11选5", "gx", 90, 11},  {"福建11选5", "fj", 90, 11},
        {"辽宁11选5", "ln", 83, 11},    {"浙江11选5", "zj", 85, 11},  {"江苏11选5", "js", 82, 11},
        {"安徽11选5", "ah", 81, 11},    {"江西11选5", "jx", 84, 11},  {"湖北11选5", "hb", 81, 11},
        {"云南11选5", "yn", 85, 11},    {"重庆11选5", "cq", 97, 11},  {"贵州11选5", "gz", 80, 11},
        {"北京11选5", "bj", 85, 11},    {"上海11选5", "sh", 90, 11},  {"山东11选5", "sd", 87, 11},
        {"山西11选5", "sx", 94, 11},    {"河北11选5", "heb", 85, 11}, {"天津11选5", "tj", 90, 11},
        {"陕西11选5", "shx", 88, 11},   {"内蒙11选5", "nmg", 85, 11}, {"甘肃11选5", "gs", 78, 11},
        {"宁夏11选5", "nx", 79, 11},    {"新疆11选5", "xj", 97, 11},  {"吉林11选5", "jl", 79, 11},
        {"黑龙江11选5", "hlj", 88, 11}, {"辽宁快乐12", "ln", 80, 12}, {"浙江快乐12", "zj", 80, 12},
        {"四川快乐12", "sc", 78, 12},
    }};
    return table;
}

const Game& gameAt(int index) {
    return games()[index >= 0 && index < kGameCount ? index : 0];
}

std::optional<int> gameIndexOfCode(std::string_view code) {
    for (int i = 0; i < kGameCount; ++i)
        if (games()[i].gameCode() == code)
            return i;
    return std::nullopt;
}

} // namespace yilou::history
