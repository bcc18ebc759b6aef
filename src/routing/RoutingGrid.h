#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "names/RouterNames.h"
#include "routing/RoutingFilter.h"

namespace zerandi {

// What the routing grid shows of one router, without a window: which input feeds each
// output as the last read found it, the names of the ports, and which outputs (rows) and
// inputs (columns) the filter and "Show routed inputs only" leave in view.
class RoutingGrid {
public:
    // The input number the "Tri-state" column stands for: a disconnected output.
    static constexpr int kTriState = 0;

    // The router the grid is drawn for.
    struct Shape {
        int32_t productId = 0;
        int inputs = 0;
        int outputs = 0;
        bool triStateColumn = false;  // the model can disconnect an output
        bool dataRouter = false;      // its words carry flag bits above the source
    };
    static Shape ShapeOf(int32_t productId);

    // A new router: nothing read yet; the filter and the routed-only switch stay.
    void Reset(const Shape& shape);
    const Shape& RouterShape() const { return shape_; }

    void SetNames(const RouterNames& names);
    const RouterNames& Names() const { return names_; }

    // The words a read returned for outputs first, first+1, ... True when that changed the
    // rows or columns in view.
    bool ShowRead(int first, const std::vector<int32_t>& words);
    // What is known of one output after a take: its word, or nothing when the read failed.
    // True when that changed the rows or columns in view.
    bool ShowOutput(int output, std::optional<int32_t> word);
    // The input (or kTriState) feeding the output, or nothing when it is not known.
    std::optional<int> SourceOf(int output) const;
    bool Routed(int output, int input) const;
    // How many outputs the last reads found fed by the input (kTriState: disconnected),
    // whether they are in view or not.
    int OutputsFedBy(int input) const;

    // A filter that matches ports on one side only leaves the other side whole ("VTR, CAM":
    // the outputs named VTR against the inputs named CAM); one that matches nothing hides all.
    void SetFilter(const QString& text);
    void SetRoutedOnly(bool routedOnly);
    bool RoutedOnly() const { return routedOnly_; }

    // The rows and columns in view, in ascending order; the tri-state column comes first.
    const std::vector<int>& Outputs() const { return outputs_; }
    const std::vector<int>& Inputs() const { return inputs_; }
    // The row or column of a port, or -1 when it is not in view.
    int RowOf(int output) const;
    int ColumnOf(int input) const;

private:
    int SourceOfWord(int32_t word) const;
    // Chooses the rows and columns anew; true when they changed.
    bool Refilter();
    std::vector<int> MatchingOutputs() const;
    std::vector<int> MatchingInputs() const;
    // Among the inputs, those that feed at least one output in view.
    std::vector<int> FeedingInputs(const std::vector<int>& inputs) const;

    static constexpr int kNotRead = -1;

    Shape shape_;
    RouterNames names_;
    RoutingFilter filter_;
    bool routedOnly_ = false;
    std::vector<int> sources_;  // by output - 1
    std::vector<int> outputs_;
    std::vector<int> inputs_;
};

}  // namespace zerandi
