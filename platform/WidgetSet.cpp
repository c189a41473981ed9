#include "platform/WidgetSet.hpp"

#include "platform/HeadlessWidgetSet.hpp"

namespace {
TWidgetSet *installed = nullptr;
}  // namespace

TWidgetSet &WidgetSet() {
    static THeadlessWidgetSet headless;
    return installed ? *installed : headless;
}

void SetWidgetSet(TWidgetSet *widgetSet) { installed = widgetSet; }
