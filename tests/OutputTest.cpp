#include "BmpWriter.h"
#include "FullDisk.h"
#include "JpegWriter.h"
#include "MemorySink.h"
#include "PictureExport.h"
#include "PngWriter.h"
#include "ReferenceRaster.h"
#include "SvgPicture.h"
#include "TempDir.h"

#include <QColor>
#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <sstream>
#include <system_error>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <jerror.h>
#include <jpeglib.h>
#include <unistd.h>

namespace {

constexpr Pixel kBack = PixelFromRgb(250, 240, 10);
constexpr Pixel kFore = PixelFromRgb(20, 40, 200);

StarPicture Picture(int w, int h, int saveRate = 1, bool fill = true, const StarExtras &extras = {},
                    bool smooth = false) {
    ShapeSettings s{};
    ApplyDefaultParameters(s);
    s.SaveRate = saveRate;
    s.Points = 7;
    s.InnerTwist = 120;
    Directions table{};
    BuildDirections(s, table);
    PictureInputs in;
    in.areaWidth = w;
    in.areaHeight = h;
    in.output = true;
    in.fill = fill;
    in.foreground = kFore;
    in.background = kBack;
    in.extras = extras;
    in.smooth = smooth;
    return MakeStarPicture(s, table, in);
}

std::vector<unsigned char> Encode(const StarPicture &p, PictureFormat format, int bandRows) {
    MemorySink sink;
    const auto writer = MakePictureWriter(format, sink, p.transparent);
    EXPECT_TRUE(WritePicture(p, *writer, {}, bandRows));
    return sink.bytes;
}

uint32_t U32(const std::vector<unsigned char> &b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | uint32_t(b[at + 3]) << 24;
}

struct BmpRow {
    const char *name;
    int areaW, areaH, saveRate;
    uint32_t width, height, rowBytes, fileSize;
};

class BmpLayout : public testing::TestWithParam<BmpRow> {};

TEST_P(BmpLayout, HeaderRowsAndPadding) {
    const BmpRow &row = GetParam();
    const StarPicture p = Picture(row.areaW, row.areaH, row.saveRate);
    const std::vector<unsigned char> b = Encode(p, PictureFormat::Bmp, 0);
    ASSERT_EQ(b.size(), row.fileSize);
    EXPECT_EQ(b[0], 'B');
    EXPECT_EQ(b[1], 'M');
    EXPECT_EQ(U32(b, 2), row.fileSize);
    EXPECT_EQ(U32(b, 6), 0u);
    EXPECT_EQ(U32(b, 10), 54u);
    EXPECT_EQ(U32(b, 14), 40u);
    EXPECT_EQ(U32(b, 18), row.width);
    EXPECT_EQ(U32(b, 22), row.height);
    EXPECT_EQ(b[26] | b[27] << 8, 1);
    EXPECT_EQ(b[28] | b[29] << 8, 24);
    EXPECT_EQ(U32(b, 30), 0u);
    EXPECT_EQ(U32(b, 34), row.rowBytes * row.height);
    for (std::size_t at : {38, 42, 46, 50})
        EXPECT_EQ(U32(b, at), 0u);
    // Each stored row holds the picture's row from the bottom up, blue-green-red,
    // then zeros up to the padded length.
    std::vector<Pixel> pixels(std::size_t(p.width) * p.height);
    RenderStarRows(p, pixels.data(), p.width, 0, p.height);
    for (uint32_t r = 0; r < row.height; ++r) {
        const unsigned char *stored = &b[54 + r * row.rowBytes];
        for (uint32_t x = 0; x < row.width; ++x) {
            const Pixel px = pixels[(row.height - 1 - r) * row.width + x];
            ASSERT_EQ(stored[3 * x], px & 0xFF);
            ASSERT_EQ(stored[3 * x + 1], (px >> 8) & 0xFF);
            ASSERT_EQ(stored[3 * x + 2], (px >> 16) & 0xFF);
        }
        for (uint32_t pad = row.width * 3; pad < row.rowBytes; ++pad)
            ASSERT_EQ(stored[pad], 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, BmpLayout,
                         testing::Values(BmpRow{"TenByFiveAtTwo", 10, 5, 2, 20, 10, 60, 654},
                                         BmpRow{"WidthThreePads", 3, 4, 1, 3, 4, 12, 54 + 48},
                                         BmpRow{"WidthFourFits", 4, 4, 1, 4, 4, 12, 54 + 48},
                                         BmpRow{"Odd", 37, 11, 3, 111, 33, 336, 54 + 336 * 33}),
                         [](const testing::TestParamInfo<BmpRow> &p) { return p.param.name; });

// The segments of a JPEG stream up to its scan, by marker.
std::vector<std::pair<int, std::vector<unsigned char>>>
JpegSegments(const std::vector<unsigned char> &b) {
    std::vector<std::pair<int, std::vector<unsigned char>>> segments;
    std::size_t at = 2;
    while (at + 4 <= b.size() && b[at] == 0xFF) {
        const int marker = b[at + 1];
        const std::size_t length = std::size_t(b[at + 2] << 8 | b[at + 3]);
        segments.push_back({marker, {b.begin() + at + 4, b.begin() + at + 2 + length}});
        if (marker == 0xDA)
            break;
        at += 2 + length;
    }
    return segments;
}

TEST(JpegOutput, HasTheBaselineQualityHundredSegments) {
    const StarPicture p = Picture(60, 40);
    const std::vector<unsigned char> b = Encode(p, PictureFormat::Jpeg, 0);
    ASSERT_GE(b.size(), 4u);
    EXPECT_EQ(b[0], 0xFF);
    EXPECT_EQ(b[1], 0xD8);
    EXPECT_EQ(b[b.size() - 2], 0xFF);
    EXPECT_EQ(b[b.size() - 1], 0xD9);
    const auto segments = JpegSegments(b);
    std::vector<int> markers;
    for (const auto &s : segments)
        markers.push_back(s.first);
    EXPECT_EQ(markers, (std::vector<int>{0xE0, 0xDB, 0xDB, 0xC0, 0xC4, 0xC4, 0xC4, 0xC4, 0xDA}));
    const auto &app0 = segments[0].second;
    EXPECT_EQ(std::string(app0.begin(), app0.begin() + 5), std::string("JFIF\0", 5));
    EXPECT_EQ(app0[5], 1);
    EXPECT_EQ(app0[6], 1);
    EXPECT_EQ(app0[7], 0) << "density unit";
    EXPECT_EQ(app0[8] << 8 | app0[9], 1);
    EXPECT_EQ(app0[10] << 8 | app0[11], 1);
    for (int t = 0; t < 2; ++t) {
        const auto &dqt = segments[1 + t].second;
        ASSERT_EQ(dqt.size(), 65u);
        EXPECT_EQ(dqt[0], t) << "8-bit table " << t;
        for (int i = 1; i < 65; ++i)
            ASSERT_EQ(dqt[i], 1) << "table " << t << " entry " << i;
    }
    const auto &sof = segments[3].second;
    EXPECT_EQ(sof[0], 8);
    EXPECT_EQ(sof[1] << 8 | sof[2], 40);
    EXPECT_EQ(sof[3] << 8 | sof[4], 60);
    EXPECT_EQ(sof[5], 3);
    EXPECT_EQ((std::vector<int>{sof[6], sof[7], sof[8]}), (std::vector<int>{1, 0x22, 0}));
    EXPECT_EQ((std::vector<int>{sof[9], sof[10], sof[11]}), (std::vector<int>{2, 0x11, 1}));
    EXPECT_EQ((std::vector<int>{sof[12], sof[13], sof[14]}), (std::vector<int>{3, 0x11, 1}));
}

TEST(JpegOutput, KeepsThePictureColours) {
    const StarPicture p = Picture(64, 48, 1, false);
    const std::vector<unsigned char> b = Encode(p, PictureFormat::Jpeg, 0);
    jpeg_decompress_struct d{};
    jpeg_error_mgr errors{};
    d.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&d);
    jpeg_mem_src(&d, b.data(), static_cast<unsigned long>(b.size()));
    ASSERT_EQ(jpeg_read_header(&d, TRUE), JPEG_HEADER_OK);
    d.out_color_space = JCS_RGB;
    jpeg_start_decompress(&d);
    std::vector<unsigned char> row(std::size_t(d.output_width) * 3);
    JSAMPROW rows[1] = {row.data()};
    jpeg_read_scanlines(&d, rows, 1); // the top row is background but for the tip
    jpeg_abort_decompress(&d);
    jpeg_destroy_decompress(&d);
    EXPECT_NEAR(row[0], 250, 3) << "red";
    EXPECT_NEAR(row[1], 240, 3) << "green";
    EXPECT_NEAR(row[2], 10, 3) << "blue";
}

std::string FormatName(const testing::TestParamInfo<PictureFormat> &p) {
    return p.param == PictureFormat::Bmp ? "Bmp" : p.param == PictureFormat::Jpeg ? "Jpeg" : "Png";
}

const auto kRasterFormats =
    testing::Values(PictureFormat::Bmp, PictureFormat::Jpeg, PictureFormat::Png);

class Streaming : public testing::TestWithParam<PictureFormat> {};

TEST_P(Streaming, AnyBandingGivesTheBytesOfAWholePictureWrite) {
    const StarPicture p = Picture(53, 29, 3);
    const std::vector<unsigned char> whole = Encode(p, GetParam(), p.height);
    for (int bandRows : {1, 7, 16, 40})
        EXPECT_EQ(Encode(p, GetParam(), bandRows), whole) << bandRows << " rows a band";
    EXPECT_EQ(Encode(p, GetParam(), 0), whole);
}

INSTANTIATE_TEST_SUITE_P(Formats, Streaming, kRasterFormats, FormatName);

class FailingSink : public testing::TestWithParam<PictureFormat> {};

TEST_P(FailingSink, ReportsAWriteErrorWhereverTheDeviceStops) {
    const StarPicture p = Picture(120, 80, 2);
    const std::size_t size = Encode(p, GetParam(), 0).size();
    for (std::size_t failAfter : {std::size_t(0), std::size_t(10), size / 3, size - 1}) {
        MemorySink sink(failAfter);
        const auto writer = MakePictureWriter(GetParam(), sink);
        try {
            WritePicture(p, *writer);
            ADD_FAILURE() << "no error after " << failAfter << " bytes";
        } catch (const ExportError &e) {
            EXPECT_EQ(e.Failure(), ExportFailure::Write) << failAfter;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, FailingSink, kRasterFormats, FormatName);

TEST(JpegOutput, LibraryErrorsCarryTheirMessageCode) {
    const StarPicture p = Picture(70000, 2); // wider than JPEG allows
    MemorySink sink;
    JpegWriter writer(sink);
    try {
        WritePicture(p, writer);
        ADD_FAILURE() << "no error";
    } catch (const ExportError &e) {
        EXPECT_EQ(e.Failure(), ExportFailure::Jpeg);
        EXPECT_EQ(std::string(e.what()).rfind(std::to_string(JERR_IMAGE_TOO_BIG) + " (", 0), 0u)
            << e.what();
    }
}

struct NameRow {
    const char *name;
    const char *file;
    PictureFormat format;
};

class FormatByName : public testing::TestWithParam<NameRow> {};

TEST_P(FormatByName, FollowsTheExtensionInAnyCase) {
    EXPECT_EQ(FormatForFileName(GetParam().file), GetParam().format);
}

INSTANTIATE_TEST_SUITE_P(Rows, FormatByName,
                         testing::Values(NameRow{"Jpg", "/a/b.jpg", PictureFormat::Jpeg},
                                         NameRow{"JpgUpper", "B.JPG", PictureFormat::Jpeg},
                                         NameRow{"JpgMixed", "b.Jpg", PictureFormat::Jpeg},
                                         NameRow{"Jpeg", "b.jpeg", PictureFormat::Jpeg},
                                         NameRow{"Jpe", "b.JPE", PictureFormat::Jpeg},
                                         NameRow{"Png", "b.Png", PictureFormat::Png},
                                         NameRow{"Svg", "b.svg", PictureFormat::Svg},
                                         NameRow{"Bmp", "b.bmp", PictureFormat::Bmp},
                                         NameRow{"Other", "b.gif", PictureFormat::Bmp},
                                         NameRow{"NoExtension", "picture", PictureFormat::Bmp},
                                         NameRow{"DotInFolder", "/x.jpg/picture",
                                                 PictureFormat::Bmp},
                                         NameRow{"JpgWithoutDot", "/tmp/ajpg", PictureFormat::Bmp}),
                         [](const testing::TestParamInfo<NameRow> &p) { return p.param.name; });

TEST(SvgOutput, DescribesTheSameStar) {
    StarPicture p = Picture(30, 20);
    p.markers = true;
    const std::string svg = StarSvg(p);
    EXPECT_NE(svg.find("width=\"30\" height=\"20\""), std::string::npos);
    EXPECT_NE(svg.find("shape-rendering=\"crispEdges\""), std::string::npos);
    EXPECT_NE(svg.find("fill-rule=\"evenodd\""), std::string::npos);
    EXPECT_NE(svg.find("fill=\"#faf00a\""), std::string::npos) << "background";
    EXPECT_NE(svg.find("stroke=\"#1428c8\""), std::string::npos) << "star";
    std::string firstVertex = "M";
    firstVertex += std::to_string(p.vertices[0].x);
    firstVertex += ' ';
    firstVertex += std::to_string(p.vertices[0].y);
    EXPECT_NE(svg.find(firstVertex), std::string::npos);
    std::size_t markers = 0;
    for (std::size_t at = svg.find("<rect x="); at != std::string::npos;
         at = svg.find("<rect x=", at + 1))
        ++markers;
    EXPECT_EQ(markers, p.vertices.size() - 1);
}

// The middles of the SVG's arcs, read back from its path data: an arc from the current
// point to (x, y) of radius r bulges away from the centre its sweep flag picks (the
// centre lies right of the chord, y down, for a positive sweep).
std::vector<QPointF> ArcMiddles(const std::string &svg) {
    const std::size_t at = svg.find(" d=\"") + 4;
    std::istringstream d(svg.substr(at, svg.find('"', at) - at));
    std::vector<QPointF> middles;
    double x = 0, y = 0, r = 0, unused = 0, sweep = 0, x1 = 0, y1 = 0;
    for (char command = 0; d >> command && command != 'Z'; x = x1, y = y1) {
        if (command != 'A') {
            d >> x1 >> y1;
            continue;
        }
        d >> r >> unused >> unused >> unused >> sweep >> x1 >> y1;
        const double dx = x1 - x, dy = y1 - y, chord = std::hypot(dx, dy);
        const double sagitta = r - std::sqrt(std::max(0.0, r * r - chord * chord / 4));
        const double side = (sweep == 1 ? 1 : -1) * sagitta / std::max(chord, 1e-9);
        middles.emplace_back((x + x1) / 2 + side * dy, (y + y1) / 2 - side * dx);
    }
    return middles;
}

struct ArcRow {
    const char *name;
    StarExtras extras;
    int saveRate;
    const char *strokeWidth = "1"; // the outline's width in the picture's pixels
};

class SvgArcs : public testing::TestWithParam<ArcRow> {};

// The SVG draws the rounded corners as arcs whose middles lie on the drawn path
// (flattened, rounded to pixels) within the rounding of a pixel.
TEST_P(SvgArcs, FollowTheDrawnPath) {
    const StarPicture p = Picture(60, 50, GetParam().saveRate, true, GetParam().extras);
    const std::string svg = StarSvg(p);
    EXPECT_NE(svg.find("stroke-width=\"" + std::string(GetParam().strokeWidth) + "\""),
              std::string::npos);
    const std::vector<QPointF> middles = ArcMiddles(svg);
    EXPECT_GT(middles.size(), 6u);
    const std::vector<Point> &path = p.Drawn();
    for (const QPointF &m : middles) {
        double nearest = 1e9;
        for (std::size_t i = 1; i < path.size(); ++i) {
            const QPointF a(path[i - 1].x, path[i - 1].y), ab = QPointF(path[i].x, path[i].y) - a;
            const double t = std::clamp(QPointF::dotProduct(m - a, ab) /
                                            std::max(QPointF::dotProduct(ab, ab), 1e-9),
                                        0.0, 1.0);
            const QPointF off = m - a - t * ab;
            nearest = std::min(nearest, std::hypot(off.x(), off.y()));
        }
        EXPECT_LE(nearest, 0.71 + 0.125) << m.x() << "," << m.y();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SvgArcs,
    testing::Values(ArcRow{"TipsAtOne", {.TipRounding = 60}, 1},
                    ArcRow{"WidthSixAtTwo", {.TipRounding = 60, .LineWidth = 6}, 2, "12"},
                    ArcRow{"ValleysAtEight", {.ValleyRounding = 100}, 8},
                    ArcRow{
                        "BothFullAndIrregular",
                        {.TipRounding = 100, .ValleyRounding = 100, .Irregularity = 40, .Seed = 3},
                        8}),
    [](const testing::TestParamInfo<ArcRow> &p) { return p.param.name; });

struct CannotCreateRow {
    const char *name;
    std::string file;
    int error;
};

class CannotCreate : public testing::TestWithParam<CannotCreateRow> {};

// The message names the file and the system's reason.
TEST_P(CannotCreate, NamesThePathAndTheCause) {
    TempDir dir;
    ::symlink("loop.bmp", dir.File("loop.bmp").c_str());
    const std::string path = dir.File(GetParam().file);
    const ExportResult r = ExportPictureFile(path, Picture(10, 10), PictureFormat::Bmp);
    EXPECT_EQ(r.status, ExportResult::Failed);
    EXPECT_EQ(r.failure, ExportFailure::CannotCreate);
    EXPECT_EQ(r.cause, std::strerror(GetParam().error));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CannotCreate,
    testing::Values(CannotCreateRow{"NoSuchFolder", "missing/star.bmp", ENOENT},
                    CannotCreateRow{"NameTooLong", std::string(300, 'a') + ".bmp", ENAMETOOLONG},
                    CannotCreateRow{"LinkLoop", "loop.bmp", ELOOP}),
    [](const testing::TestParamInfo<CannotCreateRow> &p) { return p.param.name; });

TEST(ExportFile, CancelLeavesTheOldFileAndNoTemporaryFile) {
    TempDir dir;
    const std::string path = dir.File("star.png");
    WriteBytes(path, {1, 2, 3});
    const ExportResult r = ExportPictureFile(path, Picture(50, 50, 8), PictureFormat::Png,
                                             [](int64_t, int64_t) { return false; });
    EXPECT_EQ(r.status, ExportResult::Cancelled);
    EXPECT_EQ(ReadBytes(path), (std::vector<unsigned char>{1, 2, 3}));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

TEST(ExportFile, WrittenFileEqualsTheStreamAndReplacesTheOldOne) {
    TempDir dir;
    for (PictureFormat format : {PictureFormat::Bmp, PictureFormat::Jpeg, PictureFormat::Png}) {
        const std::string path = dir.File("star.out");
        WriteBytes(path, std::vector<unsigned char>(100000, 7));
        const StarPicture p = Picture(40, 30, 2);
        ASSERT_EQ(ExportPictureFile(path, p, format).status, ExportResult::Written);
        EXPECT_EQ(ReadBytes(path), Encode(p, format, p.height));
    }
}

TEST(ExportFile, FullDiskLeavesTheOldFileIntact) {
    FullDisk disk;
    if (!disk.Mounted())
        GTEST_SKIP() << "cannot mount a tmpfs here";
    const std::string path = disk.File("star.bmp");
    WriteBytes(path, std::vector<unsigned char>(1000, 9));
    disk.Fill();
    for (PictureFormat format : {PictureFormat::Bmp, PictureFormat::Jpeg, PictureFormat::Png}) {
        const ExportResult r = ExportPictureFile(path, Picture(300, 300), format);
        EXPECT_EQ(r.status, ExportResult::Failed);
        EXPECT_EQ(r.failure, ExportFailure::Write);
        EXPECT_EQ(r.cause, std::strerror(ENOSPC));
        EXPECT_EQ(ReadBytes(path), std::vector<unsigned char>(1000, 9));
        EXPECT_EQ(disk.FileCount(), 2u) << "no temporary file is left behind";
    }
}

TEST(ExportFile, ReadOnlyFolderOrAFolderInTheWayLeaveEverythingAsItWas) {
    FullDisk disk;
    if (!disk.Mounted())
        GTEST_SKIP() << "cannot mount a tmpfs here";
    const std::string path = disk.File("star.jpg");
    const std::string folder = disk.File("folder.png");
    WriteBytes(path, {1, 2});
    std::filesystem::create_directory(folder);
    ASSERT_TRUE(disk.MakeReadOnly());
    const ExportResult readOnly = ExportPictureFile(path, Picture(20, 20), PictureFormat::Jpeg);
    EXPECT_EQ(readOnly.status, ExportResult::Failed);
    EXPECT_EQ(readOnly.failure, ExportFailure::CannotCreate);
    EXPECT_EQ(readOnly.cause, std::strerror(EROFS));
    EXPECT_EQ(ReadBytes(path), (std::vector<unsigned char>{1, 2}));
    const ExportResult inTheWay = ExportPictureFile(folder, Picture(20, 20), PictureFormat::Png);
    EXPECT_EQ(inTheWay.status, ExportResult::Failed);
    EXPECT_EQ(inTheWay.failure, ExportFailure::CannotCreate);
    EXPECT_EQ(inTheWay.cause, std::strerror(EISDIR));
    EXPECT_TRUE(std::filesystem::is_directory(folder));
    EXPECT_EQ(disk.FileCount(), 2u);
}

TEST(ExportFile, RunningShortOfMemoryOrThreadsFailsTheExportOnly) {
    const std::function<void()> shortages[] = {[] { throw std::bad_alloc(); },
                                               [] {
                                                   throw std::system_error(std::make_error_code(
                                                       std::errc::resource_unavailable_try_again));
                                               }};
    for (const auto &shortage : shortages) {
        TempDir dir;
        const std::string path = dir.File("star.png");
        const ExportResult r = ExportPictureFile(path, Picture(50, 50, 8), PictureFormat::Png,
                                                 [&](int64_t, int64_t) -> bool {
                                                     shortage();
                                                     return true;
                                                 });
        EXPECT_EQ(r.status, ExportResult::Failed);
        EXPECT_NE(r.failure, ExportFailure::None);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 0)
            << "no partial file";
    }
}

// With a transparent background, PNG is RGBA: alpha 0 around the star, 255 inside it,
// and in between along smooth edges; SVG has no background rectangle.
TEST(TransparentOutput, PngCarriesAlphaSvgDropsItsBackground) {
    for (const bool smooth : {false, true}) {
        StarPicture p = Picture(60, 40, 2, true, {}, smooth);
        p.transparent = true;
        const std::vector<unsigned char> png = Encode(p, PictureFormat::Png, 7);
        ASSERT_GT(png.size(), 26u);
        EXPECT_EQ(png[25], 6) << "colour type RGBA";
        const QImage image = QImage::fromData(png.data(), int(png.size()), "PNG");
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << "background";
        EXPECT_EQ(image.pixel(60, 40), QColor(kFore).rgba()) << "inside, opaque";
        int between = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                between += qAlpha(image.pixel(x, y)) % 255 != 0;
        EXPECT_EQ(between > 0, smooth) << "partial alpha only along smooth edges";
        const std::string svg = StarSvg(p);
        EXPECT_EQ(svg.find("<rect width="), std::string::npos);
    }
}

// BMP and JPEG cannot carry alpha: with a transparent background and smooth edges
// they get exactly the smooth picture over the background colour, whose every pixel
// is the blend of the star's coverage, counted by the naive reference.
class WithoutAlpha : public testing::TestWithParam<PictureFormat> {};

TEST_P(WithoutAlpha, TransparentSmoothIsTheSmoothPictureOverTheBackground) {
    TempDir dir;
    StarPicture transparent = Picture(30, 20, 2, true, {}, true);
    transparent.transparent = true;
    StarPicture opaque = transparent;
    opaque.transparent = false;
    const std::string path = dir.File("star");
    ASSERT_EQ(ExportPictureFile(path, transparent, GetParam()).status, ExportResult::Written);
    const std::vector<unsigned char> bytes = ReadBytes(path);
    EXPECT_EQ(bytes, Encode(opaque, GetParam(), 0));
    if (GetParam() != PictureFormat::Bmp)
        return;
    const QImage image = QImage::fromData(bytes.data(), int(bytes.size()), "BMP");
    ASSERT_EQ(image.size(), QSize(opaque.width, opaque.height));
    const std::vector<double> areas = ReferenceAreas(opaque, true, true);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ASSERT_NEAR(
                qRed(image.pixel(x, y)),
                qRed(ReferenceBlend(kBack, kFore, areas[std::size_t(y * opaque.width + x)])), 4)
                << x << "," << y;
}

INSTANTIATE_TEST_SUITE_P(Formats, WithoutAlpha,
                         testing::Values(PictureFormat::Bmp, PictureFormat::Jpeg), FormatName);

// The widest picture, 16384 pixels at x64, is a valid PNG.
TEST(PngOutput, TakesTheWidestPicture) {
    constexpr int32_t kWidest = 16384 * 64;
    MemorySink sink;
    PngWriter writer(sink);
    const std::vector<Pixel> row(kWidest, kBack);
    writer.Begin(kWidest, 1);
    writer.WriteRows(row.data(), kWidest, 0, 1);
    writer.Finish();
    ASSERT_GT(sink.bytes.size(), 24u);
    EXPECT_EQ(sink.bytes[16] << 24 | sink.bytes[17] << 16 | sink.bytes[18] << 8 | sink.bytes[19],
              kWidest);
}

// With both options off, every format gives exactly the bytes it gave before they
// existed (recorded from that version); PNG as deflated with run-length matching,
// SVG with the outline's round joins.
constexpr uint64_t kGoldenBmp = 0xb6ad98de34c2c260ull, kGoldenJpeg = 0xddb9e25af017a1f4ull,
                   kGoldenPng = 0x5d0c783b48ea07aeull, kGoldenSvg = 0xee8ad084ec83a6aull;

TEST(PlainOutput, KeepsItsBytes) {
    const auto fnv = [](const std::vector<unsigned char> &bytes) {
        uint64_t h = 1469598103934665603ull;
        for (unsigned char b : bytes)
            h = (h ^ b) * 1099511628211ull;
        return h;
    };
    const StarPicture p = Picture(50, 30, 3, false);
    const std::string svg = StarSvg(p);
    EXPECT_EQ(fnv(Encode(p, PictureFormat::Bmp, 5)), kGoldenBmp);
    EXPECT_EQ(fnv(Encode(p, PictureFormat::Jpeg, 5)), kGoldenJpeg);
    EXPECT_EQ(fnv(Encode(p, PictureFormat::Png, 5)), kGoldenPng);
    EXPECT_EQ(fnv({svg.begin(), svg.end()}), kGoldenSvg);
}

} // namespace
