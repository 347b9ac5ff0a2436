#include "core/analysis/profile_summary.h"

#include <algorithm>

namespace koravel {
namespace {

// Adds up the swings of a run of heights whose turning points stand at least
// `threshold` apart; with 0 every rise and fall counts.
class SwingCounter {
 public:
  SwingCounter(double threshold, double& ascent, double& descent)
      : threshold_(threshold), ascent_(ascent), descent_(descent) {}

  void Add(double height) {
    if (!started_) {
      started_ = true;
      turn_ = low_ = high_ = height;
      return;
    }
    if (direction_ == 0) return Undecided(height);
    const double back = direction_ * (extreme_ - height);  // how far it turned back
    if (back < 0) {
      extreme_ = height;
    } else if (back > 0 && back >= threshold_) {
      CloseSwing();
      turn_ = extreme_;
      direction_ = -direction_;
      extreme_ = height;
    }
  }

  // Counts the swing under way when the heights end.
  void Finish() { CloseSwing(); }

 private:
  // Before the first swing, the lowest and highest heights so far are the
  // candidates for where it started.
  void Undecided(double height) {
    low_ = std::min(low_, height);
    high_ = std::max(high_, height);
    if (height - low_ >= threshold_ && height > low_) {
      direction_ = 1, turn_ = low_, extreme_ = height;
    } else if (high_ - height >= threshold_ && height < high_) {
      direction_ = -1, turn_ = high_, extreme_ = height;
    }
  }

  void CloseSwing() {
    if (direction_ > 0) ascent_ += extreme_ - turn_;
    if (direction_ < 0) descent_ += turn_ - extreme_;
  }

  const double threshold_;
  double& ascent_;
  double& descent_;
  bool started_ = false;
  double turn_ = 0, low_ = 0, high_ = 0, extreme_ = 0;
  int direction_ = 0;  // +1 climbing, −1 descending, 0 not yet known
};

void AddClimbs(const ElevationProfile& profile, std::size_t begin, std::size_t end, double threshold,
               ProfileSummary& summary) {
  SwingCounter every(0, summary.AscentMetres, summary.DescentMetres);
  SwingCounter steady(threshold, summary.SteadyAscentMetres, summary.SteadyDescentMetres);
  for (std::size_t i = begin; i < end; ++i) {
    if (const std::optional<double> height = profile.Samples[i].MeshMetres) {
      every.Add(*height);
      steady.Add(*height);
    }
  }
  every.Finish();
  steady.Finish();
}

void FindExtremes(const ElevationProfile& profile, ProfileSummary& summary) {
  const auto height = [&](std::size_t i) { return *profile.Samples[i].MeshMetres; };
  double gps_difference = 0;
  int both = 0;
  for (std::size_t i = 0; i < profile.Samples.size(); ++i) {
    const ProfileSample& sample = profile.Samples[i];
    if (!sample.MeshMetres) continue;
    if (!summary.Lowest || height(i) < height(*summary.Lowest)) summary.Lowest = i;
    if (!summary.Highest || height(i) > height(*summary.Highest)) summary.Highest = i;
    if (sample.GpsMetres) {
      gps_difference += *sample.GpsMetres - *sample.MeshMetres;
      ++both;
    }
  }
  if (both > 0) summary.MeanGpsMinusMeshMetres = gps_difference / both;
}

}  // namespace

ProfileSummary Summarize(const ElevationProfile& profile, double threshold_metres) {
  ProfileSummary summary;
  const std::vector<std::size_t>& starts = profile.PieceStarts;
  for (std::size_t piece = 0; piece < starts.size(); ++piece) {
    const std::size_t end = piece + 1 < starts.size() ? starts[piece + 1] : profile.Samples.size();
    if (end > starts[piece]) summary.LengthMetres += profile.Samples[end - 1].DistanceMetres;
    AddClimbs(profile, starts[piece], end, threshold_metres, summary);
  }
  FindExtremes(profile, summary);
  return summary;
}

}  // namespace koravel
