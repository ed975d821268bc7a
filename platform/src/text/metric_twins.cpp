#include "text/font_lookup.h"

#include <strings.h>

namespace luma {

namespace {

struct MetricTwin {
    const char* windowsFace;
    const char* freeFace;
};
constexpr MetricTwin metricTwins[] = {
    {"Arial", "Liberation Sans"},
    {"Helvetica", "Liberation Sans"},
    {"MS Sans Serif", "Liberation Sans"},
    {"Microsoft Sans Serif", "Liberation Sans"},
    {"MS Shell Dlg", "Liberation Sans"},
    {"MS Shell Dlg 2", "Liberation Sans"},
    {"Times New Roman", "Liberation Serif"},
    {"Times", "Liberation Serif"},
    {"MS Serif", "Liberation Serif"},
    {"Courier New", "Liberation Mono"},
    {"Courier", "Liberation Mono"},
};

} // namespace

const char* metricTwinOf(const std::string& faceName) {
    for (const MetricTwin& twin : metricTwins)
        if (::strcasecmp(twin.windowsFace, faceName.c_str()) == 0)
            return twin.freeFace;
    return nullptr;
}

} // namespace luma
