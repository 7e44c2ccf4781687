#include "layout.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace quillon::layout {
namespace {

struct Grid {
    std::vector<int> colX, colW, rowY, rowH;
};

struct Child {
    const Control* control;
    Size natural;
};

class Engine {
public:
    Engine(const Form& form, const Measure& measure, const Metrics& metrics)
        : form_(form), measure_(measure), metrics_(metrics) {}

    // Lays out the controls inside `container` ("" for the window) with the grid's top-left
    // at (x, y); returns the grid's size.
    Size Container(const std::string& container, int x, int y, bool place) {
        std::vector<Child> children;
        for (const auto& c : form_.Controls())
            if (c->Parent == container && c->Kind() != ControlKind::Timer)
                children.push_back({c.get(), Natural(*c)});
        if (children.empty()) return {};

        int rows = 0, cols = 0;
        for (const Child& ch : children) {
            rows = std::max(rows, ch.control->Where.row + std::max(1, ch.control->Where.rowSpan));
            cols = std::max(cols, ch.control->Where.col + std::max(1, ch.control->Where.colSpan));
        }
        std::vector<int> colW(static_cast<size_t>(cols), 0), rowH(static_cast<size_t>(rows), 0);
        std::vector<bool> colUsed(static_cast<size_t>(cols), false);
        std::vector<bool> rowUsed(static_cast<size_t>(rows), false);
        for (const Child& ch : children) {
            const Cell& w = ch.control->Where;
            for (int i = 0; i < std::max(1, w.colSpan); ++i) colUsed[Idx(w.col + i)] = true;
            for (int i = 0; i < std::max(1, w.rowSpan); ++i) rowUsed[Idx(w.row + i)] = true;
        }
        // Single cells first, then spans from the narrowest, each widening its last cell.
        std::vector<const Child*> order;
        for (const Child& ch : children) order.push_back(&ch);
        std::stable_sort(order.begin(), order.end(), [](const Child* a, const Child* b) {
            return std::max(1, a->control->Where.colSpan) < std::max(1, b->control->Where.colSpan);
        });
        for (const Child* ch : order)
            Widen(colW, colUsed, ch->control->Where.col, ch->control->Where.colSpan,
                  ch->natural.width);
        std::stable_sort(order.begin(), order.end(), [](const Child* a, const Child* b) {
            return std::max(1, a->control->Where.rowSpan) < std::max(1, b->control->Where.rowSpan);
        });
        for (const Child* ch : order)
            Widen(rowH, rowUsed, ch->control->Where.row, ch->control->Where.rowSpan,
                  ch->natural.height);

        const std::vector<int> colX = Positions(x, colW, colUsed);
        const std::vector<int> rowY = Positions(y, rowH, rowUsed);
        const Size size{Extent(colX, colW, x), Extent(rowY, rowH, y)};
        if (!place) return size;

        for (const Child& ch : children) {
            const Control& c = *ch.control;
            const int lastCol = c.Where.col + std::max(1, c.Where.colSpan) - 1;
            const int lastRow = c.Where.row + std::max(1, c.Where.rowSpan) - 1;
            Rect cell{colX[Idx(c.Where.col)], rowY[Idx(c.Where.row)], 0, 0};
            cell.width = colX[Idx(lastCol)] + colW[Idx(lastCol)] - cell.x;
            cell.height = rowY[Idx(lastRow)] + rowH[Idx(lastRow)] - cell.y;
            Rect r = cell;
            if (KeepsNaturalWidth(c)) r.width = std::min(ch.natural.width, cell.width);
            if (!FillsHeight(c)) {
                r.height = std::min(ch.natural.height, cell.height);
                // A figure sits at the top of its cell; the rest are centred, as a row of
                // fields and their labels reads best.
                if (!DeclaredFigure(c)) r.y = cell.y + (cell.height - r.height) / 2;
            }
            result_.rects[c.Name()] = r;
            if (c.Kind() == ControlKind::Frame)
                Container(c.Name(), r.x + metrics_.frameMargin, r.y + metrics_.frameTop, true);
        }
        return size;
    }

    Result Take(Size client) {
        result_.client = client;
        return std::move(result_);
    }

private:
    static size_t Idx(int i) { return static_cast<size_t>(i); }

    static bool DeclaredFigure(const Control& c) {
        return c.Pic && c.MinWidth > 0 && c.MinHeight > 0;
    }

    Size Natural(const Control& c) {
        if (c.Kind() == ControlKind::Frame) {
            const Size inner = Container(c.Name(), 0, 0, false);
            const Size caption = measure_(c);
            return {
                std::max(inner.width + 2 * metrics_.frameMargin, caption.width),
                std::max(inner.height + metrics_.frameTop + metrics_.frameMargin, caption.height)};
        }
        const Size declared = DeclaredSize(c, metrics_);
        if (DeclaredFigure(c)) return declared;
        const Size m = measure_(c);
        return {std::max(m.width, declared.width), std::max(m.height, declared.height)};
    }

    // Widens the cells first..first+span-1 so that together (with the spacing between them)
    // they are at least `need` wide; the last cell takes what is missing.
    void Widen(std::vector<int>& sizes, const std::vector<bool>& used, int first, int span,
               int need) const {
        span = std::max(1, span);
        int have = 0;
        for (int i = first; i < first + span; ++i) {
            have += sizes[Idx(i)];
            if (i > first && used[Idx(i)]) have += metrics_.spacing;
        }
        if (need > have) sizes[Idx(first + span - 1)] += need - have;
    }

    // Start of each cell; empty rows and columns take no room and no spacing.
    std::vector<int> Positions(int start, const std::vector<int>& sizes,
                               const std::vector<bool>& used) const {
        std::vector<int> pos(sizes.size(), start);
        int at = start;
        bool any = false;
        for (size_t i = 0; i < sizes.size(); ++i) {
            if (used[i] && any) at += metrics_.spacing;
            pos[i] = at;
            at += sizes[i];
            any = any || used[i];
        }
        return pos;
    }

    static int Extent(const std::vector<int>& pos, const std::vector<int>& sizes, int start) {
        int end = start;
        for (size_t i = 0; i < pos.size(); ++i) end = std::max(end, pos[i] + sizes[i]);
        return end - start;
    }

    const Form& form_;
    const Measure& measure_;
    const Metrics& metrics_;
    Result result_;
};

}  // namespace

Metrics Metrics::Scaled(double factor) const {
    auto s = [factor](int v) { return static_cast<int>(std::lround(v * factor)); };
    return {s(margin), s(spacing), s(frameTop), s(frameMargin), declared * factor};
}

Size DeclaredSize(const Control& c, const Metrics& metrics) {
    auto s = [&metrics](int v) {
        return v > 0 ? static_cast<int>(std::lround(v * metrics.declared)) : 0;
    };
    return {s(c.MinWidth), s(c.MinHeight)};
}

bool KeepsNaturalWidth(const Control& c) {
    return c.Kind() == ControlKind::OptionButton || c.Kind() == ControlKind::CheckBox ||
           (c.Pic && c.MinWidth > 0 && c.MinHeight > 0);
}

bool FillsHeight(const Control& c) {
    return c.Kind() == ControlKind::Frame || c.Kind() == ControlKind::ListBox ||
           (c.Kind() == ControlKind::TextBox && c.Multiline);
}

Result LayOut(const Form& form, const Measure& measure, const Metrics& metrics) {
    Engine engine(form, measure, metrics);
    const Size grid = engine.Container("", metrics.margin, metrics.margin, true);
    return engine.Take({grid.width + 2 * metrics.margin, grid.height + 2 * metrics.margin});
}

}  // namespace quillon::layout
