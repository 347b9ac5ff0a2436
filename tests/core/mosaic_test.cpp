#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <mutex>

#include "core/dem/dem_conversion.h"
#include "core/export/grid_mosaic.h"
#include "core/export/mesh_inputs.h"
#include "core/export/mosaic.h"
#include "core/export/mosaic_frame.h"
#include "core/export/tile_store.h"
#include "fgd_dem_fixture.h"
#include "mesh_file_fields.h"

namespace koravel {
namespace {

// Mesh 533945's grid: 35°40' to 35°45' N from 139°37'30" E, cells of 2.25" by 1.5".
const MeshGeoreference kFirst = {128400, 502650, 128700, 1.5, 2.25};

GridPosition Mesh(std::int64_t column, std::int64_t row) { return {column, row, 200, 200}; }

TEST(MosaicFrame, SpansItsMeshesReportsTheirShareAndNamesTheOnesThatStretchIt) {
  const MosaicFrame pair = FrameAround({Mesh(0, 0), Mesh(200, 0)}, kFirst);
  EXPECT_EQ(pair.Columns, 400);
  EXPECT_EQ(pair.Rows, 200);
  EXPECT_EQ(pair.CoveredShare, 1);
  EXPECT_TRUE(pair.Stretching.empty());

  // A mesh north-west of the first moves the frame's corner: 200 cells of
  // 1.5" north, 200 of 2.25" west; a second copy of it covers nothing more.
  const MosaicFrame moved = FrameAround({Mesh(0, 0), Mesh(-200, -200), Mesh(-200, -200)}, kFirst);
  EXPECT_EQ(moved.Edges.NorthLatitude, 128700 + 300);
  EXPECT_EQ(moved.Edges.WestLongitude, 502650 - 450);
  EXPECT_EQ(moved.Edges.SouthLatitude, 128400);
  EXPECT_EQ(moved.CoveredShare, 0.5);
  EXPECT_EQ(moved.Areas[0].Column, 200);
  EXPECT_EQ(moved.Areas[2].Row, 0);

  // Nine meshes and one 85,600 rows south: 600 × 86,200 cells, 0.773% covered.
  std::vector<GridPosition> far;
  for (int i = 0; i < 9; ++i) far.push_back(Mesh(200 * (i % 3), 200 * (i / 3)));
  far.insert(far.begin() + 4, Mesh(0, 86000));
  const MosaicFrame stretched = FrameAround(far, kFirst);
  EXPECT_EQ(stretched.Rows, 86200);
  EXPECT_NEAR(stretched.CoveredShare, 10 * 40000.0 / (600 * 86200), 1e-12);
  EXPECT_EQ(stretched.Stretching, std::vector<std::size_t>{4});
}

TEST(MosaicFrame, RefusesWhatTheLimitsDoNotAllow) {
  struct Case {
    std::vector<GridPosition> grids;
    bool ascii;
    MosaicLimits limits;
    std::optional<ErrorCode> refusal;
  };
  const GridPosition widest = {0, 0, 52000, 200}, wider = {0, 0, 52001, 200}, tallest = {0, 0, 200, 63000},
                     taller = {0, 0, 200, 63001};
  // 7 bytes a cell: 285,714,285 cells make 1,999,999,995 bytes.
  const GridPosition largest_ascii = {0, 0, 5, 57142857}, too_large_ascii = {0, 0, 2, 142857143};
  const Case cases[] = {
      {{widest}, false, {}, std::nullopt},
      {{wider}, false, {}, ErrorCode::FrameTooLarge},
      {{wider}, false, {false, true}, std::nullopt},
      {{tallest}, false, {}, std::nullopt},
      {{taller}, false, {}, ErrorCode::FrameTooLarge},
      {{Mesh(0, 0), Mesh(0, 40000)}, false, {}, ErrorCode::FrameTooSparse},  // 0.995% of 200 × 40,200
      {{Mesh(0, 0), Mesh(0, 40000)}, false, {true, false}, std::nullopt},
      {{Mesh(0, 0), Mesh(0, 39600)}, false, {}, std::nullopt},  // 1.005% of 200 × 39,800
      {{largest_ascii}, true, {false, true}, std::nullopt},
      {{too_large_ascii}, true, {false, true}, ErrorCode::AsciiGridTooLarge},
      {{too_large_ascii}, false, {false, true}, std::nullopt},
  };
  for (const Case& c : cases) {
    const MosaicFrame frame = FrameAround(c.grids, kFirst);
    EXPECT_EQ(frame.Refusal(c.ascii, c.limits), c.refusal) << frame.Columns << " x " << frame.Rows;
  }
}

// Grids of 3 × 2 cells whose cells hold their index times ten plus the
// cell's number; grid 2 has no data in its first cell, and grid 4 cannot
// be read. The loader counts its calls.
class SmallGrids {
 public:
  std::optional<std::vector<int>> operator()(std::size_t grid) {
    const std::lock_guard lock(mutex_);
    ++loads_[grid];
    if (grid == 4) return std::nullopt;
    std::vector<int> cells = {0, 1, 2, 3, 4, 5};
    for (int& cell : cells) cell += 10 * static_cast<int>(grid);
    if (grid == 2) cells[0] = kNoData;
    return cells;
  }
  std::map<std::size_t, int> Loads() const { return loads_; }

 private:
  std::mutex mutex_;
  std::map<std::size_t, int> loads_;
};

// Grid 0 at the north-west, 1 east of it, 2 over the east part of both,
// 3 south of 0 and 4 east of 3: a frame of 6 × 4.
const std::vector<CellArea> kAreas = {{0, 0, 3, 2}, {3, 0, 3, 2}, {2, 0, 3, 2}, {0, 2, 3, 2}, {3, 2, 3, 2}};
const std::vector<int> kFrame = {0,  1,  2,       21, 22, 12,  //
                                 3,  4,  23,      24, 25, 15,  //
                                 30, 31, 32,      kNoData, kNoData, kNoData,
                                 33, 34, 35,      kNoData, kNoData, kNoData};

TEST(GridMosaic, ReadsEachGridOnceInPartsOfAnyShapeAndLetsLaterGridsWinWhereTheyHaveData) {
  for (const auto& [columns, rows] : {std::pair{6, 1}, std::pair{2, 2}, std::pair{4, 3}}) {
    SmallGrids grids;
    GridMosaic<int> mosaic(kAreas, kNoData, std::ref(grids), columns, rows);
    std::vector<int> frame(24);
    for (int row = 0; row < 4; row += rows) {
      for (int column = 0; column < 6; column += columns) {
        const CellArea part = {column, row, std::min(columns, 6 - column), std::min(rows, 4 - row)};
        std::vector<int> cells(part.CellCount());
        mosaic.Prepare(part);
        mosaic.Fill(part, cells);
        mosaic.Release(part);
        for (int y = 0; y < part.Rows; ++y) {
          std::copy_n(cells.begin() + y * part.Columns, part.Columns, frame.begin() + (row + y) * 6 + column);
        }
      }
    }
    EXPECT_EQ(frame, kFrame) << columns << " x " << rows;
    EXPECT_EQ(grids.Loads(), (std::map<std::size_t, int>{{0, 1}, {1, 1}, {2, 1}, {3, 1}, {4, 1}}));
  }
}

class FolderScan : public ::testing::Test {
 protected:
  test::ScratchFolder folder_;
};

// Names sort by their bytes over the whole path, as they always have; links
// to folders are not followed, and a link to nowhere is named.
TEST_F(FolderScan, FindsMeshFilesInNameOrderAndNamesWhatItCannotRead) {
  std::filesystem::create_directories(folder_.Path("in/b"));
  for (const char* name : {"in/b.mem", "in/b/c.mem", "in/b-x.MEM", "in/a.txt"}) test::WriteBytes(folder_.Path(name), "");
  std::filesystem::create_directory_symlink(folder_.Path("in/b"), folder_.Path("in/link"));
  std::filesystem::create_symlink(folder_.Path("gone.mem"), folder_.Path("in/gone.mem"));
  const InputFiles found = MeshFilesIn({folder_.Path("in"), folder_.Path("loose.mem")});
  std::vector<std::string> files;
  for (std::size_t i = 0; i < found.Files.Size(); ++i) files.emplace_back(found.Files.View(i));
  EXPECT_EQ(files, (std::vector<std::string>{folder_.Path("in/b-x.MEM").string(), folder_.Path("in/b.mem").string(),
                                             folder_.Path("in/b/c.mem").string(), folder_.Path("loose.mem").string()}));
  ASSERT_EQ(found.Unreadable.size(), 1u);
  EXPECT_EQ(found.Unreadable[0].Path, folder_.Path("in/gone.mem"));
  EXPECT_EQ(found.Unreadable[0].Reason, ErrorCode::FileNotFound);
}

// Each level half the one before, rounded up, down to one tile.
TEST(TileStore, LevelsHalveDownToOneTile) {
  const std::vector<std::pair<int, int>> expected = {{1025, 1031}, {513, 516}, {257, 258}};
  std::vector<std::pair<int, int>> levels;
  for (const LevelSize& level : PyramidLevels(1025, 1031)) levels.emplace_back(level.Columns, level.Rows);
  EXPECT_EQ(levels, expected);
  EXPECT_EQ(PyramidLevels(512, 200).size(), 1u);
}

class MeshMosaic : public ::testing::Test {
 protected:
  PathList Files(const std::vector<std::string>& names) const {
    PathList files;
    for (const std::string& name : names) files.Add(folder_.Path(name).native());
    return files;
  }
  test::ScratchFolder folder_;
};

// The first file is no mesh, so the second's grid is the one the others
// must fit; the fourth has a good header and a broken record, found only
// when its tiles are written (it ends after ten records): it is left out and
// its cells have no data.
TEST_F(MeshMosaic, PlacesOnTheFirstMeshThatReadsAndLeavesOutOneThatFailsWhenWritten) {
  test::MeshFileFields off_grid = test::NeighbourMesh(1, 1);
  off_grid.corners = "0354500" "1394501" "0355000" "1395231";
  test::WriteBytes(folder_.Path("a.mem"), "533945");
  test::WriteBytes(folder_.Path("b.mem"), test::NeighbourMesh(1, 0).File());
  test::WriteBytes(folder_.Path("c.mem"), test::NeighbourMesh(0, 0).File());
  const std::string whole = test::NeighbourMesh(2, 0).File();
  test::WriteBytes(folder_.Path("d.mem"), whole.substr(0, whole.size() - 190 * (test::NeighbourMesh(2, 0).Record(1, 1).size())));
  test::WriteBytes(folder_.Path("e.mem"), off_grid.File());
  const PathList files = Files({"a.mem", "b.mem", "c.mem", "d.mem", "e.mem"});
  const MosaicPlan plan = PlanMosaic(files);
  ASSERT_TRUE(plan.Frame);
  EXPECT_EQ(plan.Index.Meshes[1].Position.Column, -200);  // c.mem, west of b.mem
  EXPECT_EQ(plan.Frame->Columns, 600);
  const MosaicResult result = WriteMosaic(plan, files, folder_.Path("out.asc"), {});
  EXPECT_EQ(result.Error, std::nullopt);
  EXPECT_EQ(result.Placed, 2u);
  ASSERT_EQ(result.LeftOut.size(), 3u);
  EXPECT_EQ(std::pair(result.LeftOut[0].File, result.LeftOut[0].Reason), std::pair(std::size_t{0}, ErrorCode::NotMeshFile));
  EXPECT_EQ(std::pair(result.LeftOut[1].File, result.LeftOut[1].Reason), std::pair(std::size_t{3}, ErrorCode::NotMeshFile));
  EXPECT_EQ(std::pair(result.LeftOut[2].File, result.LeftOut[2].Reason), std::pair(std::size_t{4}, ErrorCode::MeshOffGrid));
  // The first row: c.mem's (7 X + 13 Y) mod 90000 with Y = 1 + 20,000, then b.mem's, then no data.
  const std::string grid = test::ReadBytes(folder_.Path("out.asc"));
  const std::size_t start = grid.find("NODATA_value -999.9\n") + 20;
  const std::string first_row = grid.substr(start, grid.find('\n', start) - start);
  EXPECT_TRUE(first_row.starts_with("8002 8002.7 ")) << first_row.substr(0, 40);
  EXPECT_NE(first_row.find(" 8142 8142.7 "), std::string::npos);
  EXPECT_TRUE(first_row.ends_with(" -999.9")) << first_row.substr(first_row.size() - 20);
}

// A refused frame leaves the file that was there as it was.
TEST_F(MeshMosaic, RefusesSparseFramesAndLargeAsciiGridsWritingNothing) {
  test::MeshFileFields far = test::NeighbourMesh(0, 0);
  far.corners = "0100000" "1393730" "0100500" "1394500";
  test::WriteBytes(folder_.Path("near.mem"), test::NeighbourMesh(0, 0).File());
  test::WriteBytes(folder_.Path("next.mem"), test::NeighbourMesh(1, 0).File());
  test::WriteBytes(folder_.Path("far.mem"), far.File());
  test::WriteBytes(folder_.Path("out.tif"), "before");
  test::WriteBytes(folder_.Path("out.asc"), "before");
  const PathList files = Files({"near.mem", "far.mem", "next.mem"});
  const MosaicPlan plan = PlanMosaic(files);
  ASSERT_TRUE(plan.Frame);
  EXPECT_EQ(plan.Frame->Stretching, std::vector<std::size_t>{1});
  MosaicOptions options;
  EXPECT_EQ(WriteMosaic(plan, files, folder_.Path("out.tif"), options).Error, ErrorCode::FrameTooSparse);
  options.Limits = {true, true};
  // 400 × 61,000 cells would be 171 MB as text; 6,200 × 61,000 too much.
  EXPECT_EQ(plan.Frame->Refusal(true, options.Limits), std::nullopt);
  const MosaicFrame wide = FrameAround({Mesh(0, 0), Mesh(6000, 60800)}, kFirst);
  EXPECT_EQ(wide.Refusal(true, options.Limits), ErrorCode::AsciiGridTooLarge);
  EXPECT_EQ(test::ReadBytes(folder_.Path("out.tif")), "before");
  EXPECT_EQ(test::ReadBytes(folder_.Path("out.asc")), "before");
}

// Two tiles of the newer model, one moved 30 tiles east and 100 north: the
// frame hears of both, and the far one is named.
TEST(DemConversion, ReportsTheFrameAndNamesTheTileThatStretchesIt) {
  test::ScratchFolder folder;
  test::WriteBytes(folder.Path("near.xml"), test::RealDemMoved(0, 0).Text());
  test::WriteBytes(folder.Path("far.xml"), test::RealDemMoved(30, 100).Text());
  std::optional<MosaicFrame> heard;
  const DemInputReport report =
      ConvertDem({folder.Path("near.xml"), folder.Path("far.xml")}, folder.Path("out.tif"), {}, {},
                 [&heard](const MosaicFrame& frame) { heard = frame; });
  ASSERT_TRUE(heard);
  EXPECT_EQ(heard->Columns, 31 * 225);
  EXPECT_EQ(heard->Rows, 101 * 150);
  EXPECT_EQ(report.Error, ErrorCode::FrameTooSparse);
  EXPECT_EQ(report.Stretching, std::vector<std::string>{folder.Path("far.xml").string()});
  EXPECT_FALSE(std::filesystem::exists(folder.Path("out.tif")));
}

}  // namespace
}  // namespace koravel
