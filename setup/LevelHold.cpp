#include "setup/LevelHold.h"

LevelOpening JudgeLevel(const LevelFound& found)
{
    if (!found.opened)
        return found.missing ? LevelOpening::Missing : LevelOpening::Refused;
    if ((found.attributes & LevelLinkAttribute) != 0 || (found.attributes & LevelFolderAttribute) == 0)
        return LevelOpening::Refused;
    return LevelOpening::Held;
}

LevelWalk WalkLevels(const std::vector<std::string>& levels, std::size_t from,
    const Callback<LevelOpening(const std::string&)>& open)
{
    LevelWalk walk { from, false };
    while (walk.held < levels.size()) {
        const LevelOpening opening = open(levels[walk.held]);
        if (opening != LevelOpening::Held) {
            walk.refused = opening == LevelOpening::Refused;
            break;
        }
        ++walk.held;
    }
    return walk;
}
