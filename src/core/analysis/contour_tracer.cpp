#include "core/analysis/contour_tracer.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <span>
#include <utility>

namespace koravel {
namespace {

// The centres of the mesh's cells with a border of centres without data
// around them, so that lines reach the mesh's edge.
constexpr int kNodes = kMeshSize + 2;
// Points of the half-cell lattice per row: centres, the mid-points between
// them and the middles of the squares they make.
constexpr int kLattice = 2 * kNodes - 1;
constexpr int kMaxLevels = 1000;
constexpr double kNoValue = std::numeric_limits<double>::quiet_NaN();

// A corner of a marching square: lattice column and row (twice a centre's
// column and row) and its value in metres.
struct Corner {
  int i, j;
  double value;
};

// Where a line crosses a side of a square: the lattice edge it lies on, by
// which the squares on either side find each other, and the point.
struct Crossing {
  int edge;
  GridPoint point;
};

struct Segment {
  Crossing from, to;
};

enum Side { kNorth, kEast, kSouth, kWest };
enum CornerIndex { kNorthWest, kNorthEast, kSouthEast, kSouthWest };

// The segments of each marching-squares case, a bit set per corner at or
// above the level (bit k for corner k). Both saddles cut off the north-east
// and south-west corners.
struct SideSegments {
  int count;
  std::array<std::array<Side, 2>, 2> sides;
};
constexpr std::array<SideSegments, 16> kCases = {{
    {0, {}},
    {1, {{{kNorth, kWest}}}},
    {1, {{{kNorth, kEast}}}},
    {1, {{{kWest, kEast}}}},
    {1, {{{kEast, kSouth}}}},
    {2, {{{kWest, kSouth}, {kEast, kNorth}}}},
    {1, {{{kNorth, kSouth}}}},
    {1, {{{kWest, kSouth}}}},
    {1, {{{kWest, kSouth}}}},
    {1, {{{kNorth, kSouth}}}},
    {2, {{{kWest, kSouth}, {kEast, kNorth}}}},
    {1, {{{kEast, kSouth}}}},
    {1, {{{kWest, kEast}}}},
    {1, {{{kNorth, kEast}}}},
    {1, {{{kNorth, kWest}}}},
    {0, {}},
}};

// `from` lies north or west of `to`, one lattice step away.
Crossing UnitCrossing(const Corner& from, const Corner& to, double level) {
  const double t = (level - from.value) / (to.value - from.value);
  const int edge = ((from.j * kLattice + from.i) << 1) | (from.j != to.j ? 1 : 0);
  return {edge, {(from.i + t * (to.i - from.i)) / 2 - 0.5, (from.j + t * (to.j - from.j)) / 2 - 0.5}};
}

// A whole square's side spans two lattice edges; the crossing is found on
// the half it lies in, from the mid-point's value, exactly as a split square
// next to it finds it.
Crossing SideCrossing(const Corner& from, const Corner& to, double level, bool whole) {
  if (!whole) return UnitCrossing(from, to, level);
  const Corner middle{(from.i + to.i) / 2, (from.j + to.j) / 2, 0.5 * (from.value + to.value)};
  if ((from.value >= level) != (middle.value >= level)) return UnitCrossing(from, middle, level);
  return UnitCrossing(middle, to, level);
}

struct Square {
  std::array<Corner, 4> corners;  // CornerIndex order
  bool whole;

  Crossing OnSide(Side side, double level) const {
    const auto& c = corners;
    switch (side) {
      case kNorth: return SideCrossing(c[kNorthWest], c[kNorthEast], level, whole);
      case kEast: return SideCrossing(c[kNorthEast], c[kSouthEast], level, whole);
      case kSouth: return SideCrossing(c[kSouthWest], c[kSouthEast], level, whole);
      case kWest: return SideCrossing(c[kNorthWest], c[kSouthWest], level, whole);
    }
    return {};
  }

  void AddSegments(double level, std::vector<Segment>& out) const {
    int bits = 0;
    for (int k = 0; k < 4; ++k) bits |= corners[k].value >= level ? 1 << k : 0;
    const SideSegments& found = kCases[bits];
    for (int s = 0; s < found.count; ++s) {
      out.push_back({OnSide(found.sides[s][0], level), OnSide(found.sides[s][1], level)});
    }
  }
};

// The value between two corners where one may have none: the one that has.
double MidValue(double a, double b) {
  if (std::isnan(a)) return b;
  return std::isnan(b) ? a : 0.5 * (a + b);
}

// The quarter of a square around one of its corners, made of that corner,
// the mid-points of its two sides and the square's centre.
Square Quarter(const Square& square, CornerIndex around) {
  const auto& c = square.corners;
  const auto middle = [&](CornerIndex a, CornerIndex b) {
    return Corner{(c[a].i + c[b].i) / 2, (c[a].j + c[b].j) / 2, MidValue(c[a].value, c[b].value)};
  };
  double sum = 0;
  int count = 0;
  for (const Corner& corner : c) {
    if (!std::isnan(corner.value)) sum += corner.value, ++count;
  }
  const Corner centre{c[kNorthWest].i + 1, c[kNorthWest].j + 1, sum / count};
  const Corner north = middle(kNorthWest, kNorthEast), east = middle(kNorthEast, kSouthEast),
               south = middle(kSouthWest, kSouthEast), west = middle(kNorthWest, kSouthWest);
  switch (around) {
    case kNorthWest: return {{c[kNorthWest], north, centre, west}, false};
    case kNorthEast: return {{north, c[kNorthEast], east, centre}, false};
    case kSouthEast: return {{centre, east, c[kSouthEast], south}, false};
    case kSouthWest: return {{west, centre, south, c[kSouthWest]}, false};
  }
  return square;
}

class Tracer {
 public:
  Tracer(const MeshDocument& mesh, const ContourLevels& levels, std::vector<double>& values,
         std::vector<std::vector<Segment>>& segments)
      : levels_(levels), values_(values), segments_(segments) {
    values_.assign(kNodes * kNodes, kNoValue);
    for (int y = 1; y <= kMeshSize; ++y) {
      for (int x = 1; x <= kMeshSize; ++x) {
        const std::int32_t tenths = mesh.Elevation(x, y);
        if (tenths != kNoData) values_[y * kNodes + x] = tenths / 10.0;
      }
    }
  }

  // The range of k to trace, from the heights present; an error when it is
  // too wide to draw.
  std::optional<ErrorCode> ChooseLevels() {
    if (!(levels_.IntervalMetres > 0) || !std::isfinite(levels_.IntervalMetres) ||
        !std::isfinite(levels_.BaseMetres)) {
      return ErrorCode::InvalidContourInterval;
    }
    double low = std::numeric_limits<double>::infinity(), high = -low;
    for (const double value : values_) {
      if (!std::isnan(value)) low = std::min(low, value), high = std::max(high, value);
    }
    if (low > high) {  // no data at all
      segments_.clear();
      return std::nullopt;
    }
    const double first = std::floor((low - levels_.BaseMetres) / levels_.IntervalMetres);
    const double last = std::floor((high - levels_.BaseMetres) / levels_.IntervalMetres) + 1;
    if (!(std::abs(first) < 1e9 && std::abs(last) < 1e9 && last - first <= kMaxLevels)) {
      return ErrorCode::TooManyContourLevels;
    }
    first_level_ = static_cast<int>(first);
    segments_.resize(static_cast<std::size_t>(last - first) + 1);
    for (std::vector<Segment>& level : segments_) level.clear();
    return std::nullopt;
  }

  void TraceSquares() {
    for (int row = 0; row + 1 < kNodes; ++row) {
      for (int column = 0; column + 1 < kNodes; ++column) TraceSquare(column, row);
    }
  }

  int FirstLevel() const { return first_level_; }
  double Level(int k) const { return levels_.BaseMetres + k * levels_.IntervalMetres; }
  std::span<const std::vector<Segment>> Segments() const { return segments_; }

 private:
  void TraceSquare(int column, int row) {
    const auto corner = [&](int dx, int dy) {
      return Corner{2 * (column + dx), 2 * (row + dy), values_[(row + dy) * kNodes + column + dx]};
    };
    const Square square{{corner(0, 0), corner(1, 0), corner(1, 1), corner(0, 1)}, true};
    const int missing = static_cast<int>(std::count_if(square.corners.begin(), square.corners.end(),
                                                       [](const Corner& c) { return std::isnan(c.value); }));
    if (missing == 4) return;
    if (missing == 0) return TraceLevels(square);
    for (int k = 0; k < 4; ++k) {
      if (!std::isnan(square.corners[k].value)) TraceLevels(Quarter(square, static_cast<CornerIndex>(k)));
    }
  }

  // Every level above the square's lowest corner and at or below its highest.
  void TraceLevels(const Square& square) {
    double low = square.corners[0].value, high = low;
    for (const Corner& corner : square.corners) low = std::min(low, corner.value), high = std::max(high, corner.value);
    if (low == high) return;
    for (int k = static_cast<int>(std::floor((low - levels_.BaseMetres) / levels_.IntervalMetres)); Level(k) <= high;
         ++k) {
      if (Level(k) > low) square.AddSegments(Level(k), segments_[static_cast<std::size_t>(k - first_level_)]);
    }
  }

  const ContourLevels levels_;
  std::vector<double>& values_;  // metres or no value, indexed row * kNodes + column
  int first_level_ = 0;
  std::vector<std::vector<Segment>>& segments_;  // by k − first_level_
};

// Joins the segments of one level into lines through the lattice edges they
// share: each edge has at most two, one from either side.
class Linker {
 public:
  Linker() : ends_(2 * kLattice * kLattice, {-1, -1}) {}

  void Link(std::span<const Segment> segments, ContourLine prototype, std::vector<ContourLine>& lines) {
    segments_ = segments;
    used_.assign(segments.size(), false);
    for (int s = 0; s < static_cast<int>(segments.size()); ++s) Attach(s);
    for (int s = 0; s < static_cast<int>(segments.size()); ++s) {
      for (const Crossing* end : {&segments[s].from, &segments[s].to}) {
        if (!used_[s] && Other(end->edge, s) < 0) Keep(Trace(s, *end, prototype), lines);
      }
    }
    for (int s = 0; s < static_cast<int>(segments.size()); ++s) {
      if (!used_[s]) Keep(Trace(s, segments[s].from, prototype), lines);
    }
    for (const Segment& segment : segments) ends_[segment.from.edge] = ends_[segment.to.edge] = {-1, -1};
  }

 private:
  void Attach(int s) {
    for (const int edge : {segments_[s].from.edge, segments_[s].to.edge}) {
      (ends_[edge][0] < 0 ? ends_[edge][0] : ends_[edge][1]) = s;
    }
  }

  // A ring through a single centre that stands exactly at the level has
  // no length; it is left out.
  static void Keep(ContourLine line, std::vector<ContourLine>& lines) {
    if (line.Points.size() >= 2) lines.push_back(std::move(line));
  }

  int Other(int edge, int s) const { return ends_[edge][0] == s ? ends_[edge][1] : ends_[edge][0]; }

  ContourLine Trace(int first, const Crossing& start, ContourLine line) {
    line.Points.push_back(start.point);
    int entry = start.edge;
    for (int s = first;;) {
      used_[s] = true;
      const Crossing& exit = segments_[s].from.edge == entry ? segments_[s].to : segments_[s].from;
      const GridPoint& last = line.Points.back();
      if (exit.point.X != last.X || exit.point.Y != last.Y) line.Points.push_back(exit.point);
      const int next = Other(exit.edge, s);
      if (next == first) line.Closed = true;
      if (next < 0 || used_[next]) break;
      entry = exit.edge;
      s = next;
    }
    return line;
  }

  std::vector<std::array<int, 2>> ends_;  // by lattice edge: the segments ending there
  std::span<const Segment> segments_;
  std::vector<bool> used_;
};

// Tracing the whole mesh takes megabytes of segments and a table of edges;
// taking fresh memory for them at every redraw would cost more than the
// tracing itself, so each thread keeps them, emptied, for its next call.
struct Workspace {
  std::vector<double> values;
  std::vector<std::vector<Segment>> segments;
  Linker linker;

  static Workspace& ForThisThread() {
    thread_local Workspace workspace;
    return workspace;
  }
};

}  // namespace

std::variant<std::vector<ContourLine>, ErrorCode> TraceContours(const MeshDocument& mesh,
                                                                const ContourLevels& levels) {
  Workspace& workspace = Workspace::ForThisThread();
  Tracer tracer(mesh, levels, workspace.values, workspace.segments);
  if (const std::optional<ErrorCode> error = tracer.ChooseLevels()) return *error;
  tracer.TraceSquares();
  std::vector<ContourLine> lines;
  for (std::size_t level = 0; level < tracer.Segments().size(); ++level) {
    const int k = tracer.FirstLevel() + static_cast<int>(level);
    workspace.linker.Link(tracer.Segments()[level], ContourLine{tracer.Level(k), k, k % 5 == 0, false, {}}, lines);
  }
  return lines;
}

}  // namespace koravel
