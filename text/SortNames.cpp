#include "text/SortNames.h"

#include <algorithm>

void SortNames(std::vector<std::string>& names, const NameComparison& compare)
{
    std::stable_sort(names.begin(), names.end(),
        [&compare](const std::string& a, const std::string& b) { return compare(a, b) < 0; });
}
