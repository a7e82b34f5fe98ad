#include "editor/SearchPlacement.h"

#include <algorithm>
#include <vector>

namespace kv {
namespace {

constexpr int kGap = 8;

bool Intersect(const Box& a, const Box& b) {
    return a.Width() > 0 && a.Height() > 0 && b.Width() > 0 && b.Height() > 0 && a.left < b.right &&
           b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

Box At(int left, int top, int width, int height) { return Box{left, top, left + width, top + height}; }

// The box moved (not resized) so that as much of it as fits lies on the work area.
Box OntoWorkArea(const Box& box, const Box& area) {
    const int left = std::max(area.left, std::min(box.left, area.right - box.Width()));
    const int top = std::max(area.top, std::min(box.top, area.bottom - box.Height()));
    return At(left, top, box.Width(), box.Height());
}

}  // namespace

bool CoversSearchHits(const Box& dialog, const SearchSurroundings& around) {
    return Intersect(dialog, around.currentRow) || Intersect(dialog, around.lowerFields);
}

Box PlaceSearchDialog(int width, int height, const SearchSurroundings& around) {
    const Box& editor = around.editor;
    const Box& row = around.currentRow;
    const Box& area = around.workArea;
    std::vector<Box> outside = {
        OntoWorkArea(At(editor.right, editor.top, width, height), area),
        OntoWorkArea(At(editor.left - width, editor.top, width, height), area),
        OntoWorkArea(At(editor.right - width, editor.top - height, width, height), area),
        OntoWorkArea(At(editor.right - width, editor.bottom, width, height), area),
    };
    std::vector<Box> overGrid;
    if (row.Height() > 0) {
        const int left = editor.right - width - kGap;
        overGrid.push_back(OntoWorkArea(At(left, row.top - kGap - height, width, height), area));
        overGrid.push_back(OntoWorkArea(At(left, row.bottom + kGap, width, height), area));
    }
    for (const Box& candidate : outside) {
        if (!CoversSearchHits(candidate, around) && !Intersect(candidate, editor)) return candidate;
    }
    // On the editor (it leaves no room beside it): over the grid before its frame and caption.
    for (const std::vector<Box>* list : {&overGrid, &outside}) {
        for (const Box& candidate : *list) {
            if (!CoversSearchHits(candidate, around)) return candidate;
        }
    }
    for (const std::vector<Box>* list : {&outside, &overGrid}) {
        for (const Box& candidate : *list) {
            if (!Intersect(candidate, row)) return candidate;
        }
    }
    return outside.front();
}

}  // namespace kv
