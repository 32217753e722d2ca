// vernolak-gen-drawing: writes a large, realistic R12-style ASCII DXF drawing
// (a survey / site plan: contour lines, 3D breaklines, building and parcel
// outlines, road edges with arcs, among LINE, CIRCLE, ARC, TEXT and INSERT
// entities) for the benchmark. Optionally writes the CSV file that converting
// the drawing must give, so the benchmark can check the converter's output.
//
// The bytes depend only on the seed and the size: every value comes from our
// own PRNG and integer arithmetic, and every number is formatted by our own
// code, so no library, locale or platform can change them.
//
// Usage: vernolak-gen-drawing [--seed=N] [--csv=PATH] SIZE OUTPUT.dxf
//   SIZE is a byte count, optionally followed by k, M or G (powers of 1000).

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

namespace {

// ---------------------------------------------------------------------------
// Pseudo-random numbers: xoshiro256** seeded through splitmix64.

class Rng {
  public:
    explicit Rng(std::uint64_t seed) {
        for (auto& word : state_) {
            seed += 0x9E3779B97F4A7C15ULL;
            std::uint64_t z = seed;
            z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
            z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
            word = z ^ (z >> 31);
        }
    }

    std::uint64_t Next() {
        const std::uint64_t result = Rotl(state_[1] * 5, 7) * 9;
        const std::uint64_t t = state_[1] << 17;
        state_[2] ^= state_[0];
        state_[3] ^= state_[1];
        state_[1] ^= state_[2];
        state_[0] ^= state_[3];
        state_[2] ^= t;
        state_[3] = Rotl(state_[3], 45);
        return result;
    }

    // A value in [0, n); n > 0. The tiny modulo bias does not matter here.
    std::uint64_t Below(std::uint64_t n) { return Next() % n; }

    // A value in [lo, hi].
    std::int64_t Range(std::int64_t lo, std::int64_t hi) {
        return lo + static_cast<std::int64_t>(Below(static_cast<std::uint64_t>(hi - lo) + 1));
    }

    bool Chance(unsigned percent) { return Below(100) < percent; }

  private:
    static std::uint64_t Rotl(std::uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }
    std::array<std::uint64_t, 4> state_{};
};

// ---------------------------------------------------------------------------
// Numbers. Coordinates are integers in units of 1e-8 drawing units (metres);
// with site coordinates below 10^7 that is at most 15 significant digits, so
// the CSV's 15-digit form of every value is exact.

constexpr int kFractionDigits = 8;
constexpr std::int64_t kUnit = 100000000;  // 1.0 in coordinate units
constexpr std::int64_t kMillimetre = kUnit / 1000;
constexpr std::int64_t kCentimetre = kUnit / 100;

// Decimal digits of |v|, most significant first, no leading zeros ("0" for 0).
std::string AbsDigits(std::int64_t v) {
    std::uint64_t u = v < 0 ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
    char tmp[24];
    int n = 0;
    do {
        tmp[n++] = static_cast<char>('0' + u % 10);
        u /= 10;
    } while (u != 0);
    std::string out;
    out.reserve(static_cast<std::size_t>(n));
    while (n > 0) out.push_back(tmp[--n]);
    return out;
}

// The value v * 10^-decimals as a CAD program writes it: fixed notation,
// trailing zeros dropped but at least one fraction digit ("0.0", "412.5").
void AppendDxfNumber(std::string& out, std::int64_t v, int decimals = kFractionDigits) {
    if (v < 0) out.push_back('-');
    std::string digits = AbsDigits(v);
    if (static_cast<int>(digits.size()) <= decimals) {
        digits.insert(0, static_cast<std::size_t>(decimals + 1) - digits.size(), '0');
    }
    const std::size_t intLen = digits.size() - static_cast<std::size_t>(decimals);
    std::size_t end = digits.size();
    while (end > intLen + 1 && digits[end - 1] == '0') --end;
    out.append(digits, 0, intLen);
    out.push_back('.');
    out.append(digits, intLen, end - intLen);
}

// The value v * 10^-8 in the CSV's general form: 15 significant digits,
// trailing zeros and a bare point dropped, exponent form (E-5, E15) when the
// decimal exponent is below -4 or at least 15.
void AppendCsvNumber(std::string& out, std::int64_t v) {
    if (v == 0) {
        out.push_back('0');
        return;
    }
    if (v < 0) out.push_back('-');
    std::string digits = AbsDigits(v);  // at most 15 digits for our values
    const int exponent = static_cast<int>(digits.size()) - 1 - kFractionDigits;
    std::size_t end = digits.size();
    while (end > 1 && digits[end - 1] == '0') --end;
    digits.resize(end);
    if (exponent < -4 || exponent >= 15) {
        out.push_back(digits[0]);
        if (digits.size() > 1) {
            out.push_back('.');
            out.append(digits, 1, std::string::npos);
        }
        out.push_back('E');
        out += std::to_string(exponent);  // integer text: no locale involved
        return;
    }
    if (exponent < 0) {
        out += "0.";
        out.append(static_cast<std::size_t>(-exponent - 1), '0');
        out += digits;
        return;
    }
    const std::size_t intLen = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= intLen) {
        out += digits;
        out.append(intLen - digits.size(), '0');
        return;
    }
    out.append(digits, 0, intLen);
    out.push_back('.');
    out.append(digits, intLen, std::string::npos);
}

void AppendHex(std::string& out, std::uint64_t v) {
    char tmp[20];
    int n = 0;
    do {
        tmp[n++] = "0123456789ABCDEF"[v & 15];
        v >>= 4;
    } while (v != 0);
    while (n > 0) out.push_back(tmp[--n]);
}

// ---------------------------------------------------------------------------
// Output files, written through large buffers.

class OutFile {
  public:
    explicit OutFile(const char* path) : path_(path), file_(std::fopen(path, "wb")) {
        if (file_ == nullptr) Fail("cannot create");
        buffer_.reserve(kFlushAt + 4096);
    }
    ~OutFile() {
        if (file_ != nullptr) std::fclose(file_);
    }
    OutFile(const OutFile&) = delete;
    OutFile& operator=(const OutFile&) = delete;

    std::string& Buffer() { return buffer_; }
    std::uint64_t Size() const { return flushed_ + buffer_.size(); }

    void MaybeFlush() {
        if (buffer_.size() >= kFlushAt) Flush();
    }
    void Close() {
        Flush();
        if (std::fclose(file_) != 0) {
            file_ = nullptr;
            Fail("cannot close");
        }
        file_ = nullptr;
    }

  private:
    static constexpr std::size_t kFlushAt = 1 << 20;

    void Flush() {
        if (!buffer_.empty() &&
            std::fwrite(buffer_.data(), 1, buffer_.size(), file_) != buffer_.size()) {
            Fail("cannot write");
        }
        flushed_ += buffer_.size();
        buffer_.clear();
    }
    [[noreturn]] void Fail(const char* what) {
        std::fprintf(stderr, "vernolak-gen-drawing: %s %s: %s\n", what, path_,
                     std::strerror(errno));
        std::exit(1);
    }

    const char* path_;
    std::FILE* file_;
    std::string buffer_;
    std::uint64_t flushed_ = 0;
};

// ---------------------------------------------------------------------------
// The drawing.

struct Point {
    std::int64_t x, y, z;
};

// The site: a 40 km x 30 km block of a projected national grid, in metres.
constexpr std::int64_t kSiteMinX = 2480000 * kUnit, kSiteMaxX = 2520000 * kUnit;
constexpr std::int64_t kSiteMinY = 1100000 * kUnit, kSiteMaxY = 1130000 * kUnit;

// Directions with integer lengths (Pythagorean triples: a^2 + b^2 = c^2), so
// rotated outlines need no trigonometry.
constexpr std::array<std::array<std::int64_t, 3>, 8> kDirections{{{1, 0, 1},
                                                                  {4, 3, 5},
                                                                  {12, 5, 13},
                                                                  {15, 8, 17},
                                                                  {24, 7, 25},
                                                                  {21, 20, 29},
                                                                  {35, 12, 37},
                                                                  {40, 9, 41}}};

constexpr std::array<std::string_view, 12> kStreetNames{
    "Bahnhofstrasse", "Dorfstrasse",   "Hauptstrasse", "Kirchweg",  "Muehleweg", "Seestrasse",
    "Schulstrasse",   "Industriering", "Lindenallee",  "Gartenweg", "Rebhalde",  "Waldstrasse"};

enum Kind {
    kContour,
    kBreakline,
    kBuilding,
    kParcel,
    kRoad,
    kLine,
    kCircle,
    kArc,
    kText,
    kInsert,
    kKindCount
};
constexpr std::array<const char*, kKindCount> kKindNames{"contour polylines",
                                                         "3D breaklines",
                                                         "building outlines",
                                                         "parcel outlines",
                                                         "road edges",
                                                         "LINE",
                                                         "CIRCLE",
                                                         "ARC",
                                                         "TEXT",
                                                         "INSERT"};

class DrawingWriter {
  public:
    DrawingWriter(OutFile& dxf, OutFile* csv, std::uint64_t seed, std::uint64_t targetSize)
        : dxf_(dxf), csv_(csv), rng_(seed), target_(targetSize) {}

    void Write() {
        if (csv_ != nullptr) csv_->Buffer() += "\"X\",\"Y\",\"Z\"\r\n";
        WriteHeader();
        WriteTables();
        WriteBlocks();
        Section("ENTITIES");
        // The tail: ENDSEC and EOF.
        constexpr std::uint64_t kTail = 22;
        while (dxf_.Size() + kTail < target_) {
            const std::uint64_t before = dxf_.Size();
            const Kind kind = PickKind();
            WriteEntity(kind);
            kindBytes_[kind] += dxf_.Size() - before;
            ++kindCount_[kind];
            dxf_.MaybeFlush();
            if (csv_ != nullptr) csv_->MaybeFlush();
        }
        Group(0, "ENDSEC");
        Group(0, "EOF");
    }

    void PrintStats() const {
        std::uint64_t polylineBytes = 0;
        for (int k = kContour; k <= kRoad; ++k) polylineBytes += kindBytes_[k];
        std::fprintf(stderr,
                     "drawing: %llu bytes, %llu polylines (%llu closed), %llu vertices, "
                     "%llu CSV rows after the header; %.1f%% of the bytes in polylines\n",
                     static_cast<unsigned long long>(dxf_.Size()),
                     static_cast<unsigned long long>(polylines_),
                     static_cast<unsigned long long>(closedPolylines_),
                     static_cast<unsigned long long>(vertices_),
                     static_cast<unsigned long long>(vertices_ + closedPolylines_ + polylines_),
                     100.0 * static_cast<double>(polylineBytes) / static_cast<double>(dxf_.Size()));
        for (int k = 0; k < kKindCount; ++k) {
            std::fprintf(stderr, "  %-18s %9llu entities %12llu bytes\n", kKindNames[k],
                         static_cast<unsigned long long>(kindCount_[k]),
                         static_cast<unsigned long long>(kindBytes_[k]));
        }
    }

  private:
    // --- group pairs -------------------------------------------------------

    std::string& Out() { return dxf_.Buffer(); }

    // A group code line as AutoCAD writes it: right-aligned in three columns.
    void Code(int code) {
        std::string& out = Out();
        if (code < 10) {
            out += "  ";
        } else if (code < 100) {
            out.push_back(' ');
        }
        out += std::to_string(code);
        out += "\r\n";
    }
    void Group(int code, std::string_view value) {
        Code(code);
        Out() += value;
        Out() += "\r\n";
    }
    // Integer values right-aligned in six columns ("     1").
    void GroupInt(int code, std::int64_t value) {
        Code(code);
        const std::string text = std::to_string(value);
        if (text.size() < 6) Out().append(6 - text.size(), ' ');
        Out() += text;
        Out() += "\r\n";
    }
    void GroupNumber(int code, std::int64_t value, int decimals = kFractionDigits) {
        Code(code);
        AppendDxfNumber(Out(), value, decimals);
        Out() += "\r\n";
    }
    void GroupPoint(int code, const Point& p) {
        GroupNumber(code, p.x);
        GroupNumber(code + 10, p.y);
        GroupNumber(code + 20, p.z);
    }
    void Handle() {
        Code(5);
        AppendHex(Out(), nextHandle_++);
        Out() += "\r\n";
    }
    void Section(std::string_view name) {
        Group(0, "SECTION");
        Group(2, name);
    }

    // --- header, tables, blocks ------------------------------------------

    void WriteHeader() {
        Section("HEADER");
        Group(9, "$ACADVER");
        Group(1, "AC1009");
        Group(9, "$INSBASE");
        GroupPoint(10, {0, 0, 0});
        Group(9, "$EXTMIN");
        GroupPoint(10, {kSiteMinX, kSiteMinY, 380 * kUnit});
        Group(9, "$EXTMAX");
        GroupPoint(10, {kSiteMaxX, kSiteMaxY, 620 * kUnit});
        Group(9, "$LIMMIN");
        GroupNumber(10, kSiteMinX);
        GroupNumber(20, kSiteMinY);
        Group(9, "$LIMMAX");
        GroupNumber(10, kSiteMaxX);
        GroupNumber(20, kSiteMaxY);
        const std::array<std::pair<const char*, int>, 6> flags{{{"$ORTHOMODE", 0},
                                                                {"$REGENMODE", 1},
                                                                {"$FILLMODE", 1},
                                                                {"$QTEXTMODE", 0},
                                                                {"$MIRRTEXT", 0},
                                                                {"$ATTMODE", 1}}};
        for (const auto& [name, value] : flags) {
            Group(9, name);
            GroupInt(70, value);
        }
        Group(9, "$LTSCALE");
        GroupNumber(40, kUnit);
        Group(9, "$TEXTSIZE");
        GroupNumber(40, 25 * kUnit / 10);
        Group(9, "$TEXTSTYLE");
        Group(7, "STANDARD");
        Group(9, "$CLAYER");
        Group(8, "0");
        Group(9, "$CELTYPE");
        Group(6, "BYLAYER");
        Group(9, "$CECOLOR");
        GroupInt(62, 256);
        Group(9, "$LUNITS");
        GroupInt(70, 2);
        Group(9, "$LUPREC");
        GroupInt(70, 4);
        Group(9, "$AUNITS");
        GroupInt(70, 0);
        Group(9, "$HANDLING");
        GroupInt(70, 1);
        Group(9, "$HANDSEED");
        Code(5);
        AppendHex(Out(), target_ / 16 + 0x10000);  // above every handle of the drawing
        Out() += "\r\n";
        Group(0, "ENDSEC");
    }

    void WriteTables() {
        Section("TABLES");

        Group(0, "TABLE");
        Group(2, "VPORT");
        GroupInt(70, 1);
        Group(0, "VPORT");
        Group(2, "*ACTIVE");
        GroupInt(70, 0);
        GroupNumber(10, 0);
        GroupNumber(20, 0);
        GroupNumber(11, kUnit);
        GroupNumber(21, kUnit);
        GroupNumber(12, (kSiteMinX + kSiteMaxX) / 2);
        GroupNumber(22, (kSiteMinY + kSiteMaxY) / 2);
        GroupNumber(40, 31250 * kUnit);
        GroupNumber(41, 157142857);
        GroupNumber(42, 50 * kUnit);
        GroupInt(71, 0);
        GroupInt(72, 1000);
        Group(0, "ENDTAB");

        Group(0, "TABLE");
        Group(2, "LTYPE");
        GroupInt(70, 3);
        Group(0, "LTYPE");
        Group(2, "CONTINUOUS");
        GroupInt(70, 0);
        Group(3, "Solid line");
        GroupInt(72, 65);
        GroupInt(73, 0);
        GroupNumber(40, 0);
        Group(0, "LTYPE");
        Group(2, "DASHED");
        GroupInt(70, 0);
        Group(3, "__ __ __ __ __ __ __ __ __ __ __ __ __ _");
        GroupInt(72, 65);
        GroupInt(73, 2);
        GroupNumber(40, 75 * kUnit / 100);
        GroupNumber(49, 5 * kUnit / 10);
        GroupNumber(49, -25 * kUnit / 100);
        Group(0, "LTYPE");
        Group(2, "CENTER");
        GroupInt(70, 0);
        Group(3, "____ _ ____ _ ____ _ ____ _ ____ _ ____");
        GroupInt(72, 65);
        GroupInt(73, 4);
        GroupNumber(40, 2 * kUnit);
        GroupNumber(49, 125 * kUnit / 100);
        GroupNumber(49, -25 * kUnit / 100);
        GroupNumber(49, 25 * kUnit / 100);
        GroupNumber(49, -25 * kUnit / 100);
        Group(0, "ENDTAB");

        Group(0, "TABLE");
        Group(2, "LAYER");
        GroupInt(70, static_cast<std::int64_t>(kLayers.size()));
        for (const Layer& layer : kLayers) {
            Group(0, "LAYER");
            Group(2, layer.name);
            GroupInt(70, 0);
            GroupInt(62, layer.color);
            Group(6, layer.lineType);
        }
        Group(0, "ENDTAB");

        Group(0, "TABLE");
        Group(2, "STYLE");
        GroupInt(70, 1);
        Group(0, "STYLE");
        Group(2, "STANDARD");
        GroupInt(70, 0);
        GroupNumber(40, 0);
        GroupNumber(41, kUnit);
        GroupNumber(50, 0);
        GroupInt(71, 0);
        GroupNumber(42, 25 * kUnit / 10);
        Group(3, "txt");
        Group(4, "");
        Group(0, "ENDTAB");

        for (const char* table : {"VIEW", "UCS"}) {
            Group(0, "TABLE");
            Group(2, table);
            GroupInt(70, 0);
            Group(0, "ENDTAB");
        }
        Group(0, "TABLE");
        Group(2, "APPID");
        GroupInt(70, 1);
        Group(0, "APPID");
        Group(2, "ACAD");
        GroupInt(70, 0);
        Group(0, "ENDTAB");

        Group(0, "ENDSEC");
    }

    void BlockStart(std::string_view name, int flags) {
        Group(0, "BLOCK");
        Group(8, "0");
        Group(2, name);
        GroupInt(70, flags);
        GroupPoint(10, {0, 0, 0});
        Group(3, name);
        Group(1, "");
    }
    void BlockEnd() {
        Group(0, "ENDBLK");
        Handle();
        Group(8, "0");
    }

    // Blocks hold polylines too; they come before ENTITIES and give no rows.
    void WriteBlocks() {
        Section("BLOCKS");
        BlockStart("$MODEL_SPACE", 0);
        BlockEnd();
        BlockStart("$PAPER_SPACE", 0);
        BlockEnd();

        BlockStart("TREE", 0);
        Group(0, "CIRCLE");
        Handle();
        Group(8, "0");
        GroupPoint(10, {0, 0, 0});
        GroupNumber(40, 15 * kUnit / 10);
        for (int i = 0; i < 2; ++i) {
            Group(0, "LINE");
            Handle();
            Group(8, "0");
            GroupPoint(10, {i == 0 ? -kUnit : 0, i == 0 ? 0 : -kUnit, 0});
            GroupPoint(11, {i == 0 ? kUnit : 0, i == 0 ? 0 : kUnit, 0});
        }
        BlockEnd();

        BlockStart("MANHOLE", 0);
        Group(0, "CIRCLE");
        Handle();
        Group(8, "0");
        GroupPoint(10, {0, 0, 0});
        GroupNumber(40, 5 * kUnit / 10);
        PolylineInBlock({{{-kUnit / 2, -kUnit / 2, 0},
                          {kUnit / 2, -kUnit / 2, 0},
                          {kUnit / 2, kUnit / 2, 0},
                          {-kUnit / 2, kUnit / 2, 0}}});
        BlockEnd();

        BlockStart("NORTH_ARROW", 0);
        PolylineInBlock({{{0, 5 * kUnit, 0},
                          {2 * kUnit, -3 * kUnit, 0},
                          {0, -kUnit, 0},
                          {-2 * kUnit, -3 * kUnit, 0}}});
        Group(0, "TEXT");
        Handle();
        Group(8, "0");
        GroupPoint(10, {-kUnit, 6 * kUnit, 0});
        GroupNumber(40, 2 * kUnit);
        Group(1, "N");
        BlockEnd();

        Group(0, "ENDSEC");
    }

    void PolylineInBlock(const std::array<Point, 4>& corners) {
        Group(0, "POLYLINE");
        Handle();
        Group(8, "0");
        GroupInt(66, 1);
        GroupPoint(10, {0, 0, 0});
        GroupInt(70, 1);
        for (const Point& p : corners) {
            Group(0, "VERTEX");
            Handle();
            Group(8, "0");
            GroupPoint(10, p);
        }
        Group(0, "SEQEND");
        Handle();
        Group(8, "0");
    }

    // --- entities ----------------------------------------------------------

    struct Layer {
        const char* name;
        int color;
        const char* lineType;
    };
    static constexpr std::array<Layer, 12> kLayers{{{"0", 7, "CONTINUOUS"},
                                                    {"CONTOUR_MAJOR", 32, "CONTINUOUS"},
                                                    {"CONTOUR_MINOR", 34, "CONTINUOUS"},
                                                    {"BREAKLINE", 1, "DASHED"},
                                                    {"BUILDING", 5, "CONTINUOUS"},
                                                    {"PARCEL", 3, "CONTINUOUS"},
                                                    {"ROAD_EDGE", 8, "CONTINUOUS"},
                                                    {"ROAD_AXIS", 1, "CENTER"},
                                                    {"UTILITY", 6, "CONTINUOUS"},
                                                    {"VEGETATION", 94, "CONTINUOUS"},
                                                    {"ANNOTATION", 7, "CONTINUOUS"},
                                                    {"SURVEY_POINTS", 2, "CONTINUOUS"}}};

    // By count most entities are small ones; by bytes most are polylines.
    Kind PickKind() {
        const std::uint64_t r = rng_.Below(100);
        if (r < 3) return kContour;
        if (r < 5) return kBreakline;
        if (r < 11) return kBuilding;
        if (r < 14) return kParcel;
        if (r < 15) return kRoad;
        if (r < 45) return kLine;
        if (r < 57) return kCircle;
        if (r < 67) return kArc;
        if (r < 87) return kText;
        return kInsert;
    }

    void WriteEntity(Kind kind) {
        switch (kind) {
            case kContour:
                return Contour();
            case kBreakline:
                return Breakline();
            case kBuilding:
                return Building();
            case kParcel:
                return Parcel();
            case kRoad:
                return Road();
            case kLine:
                return Line();
            case kCircle:
                return Circle();
            case kArc:
                return Arc();
            case kText:
                return Text();
            case kInsert:
                return Insert();
            case kKindCount:
                break;
        }
    }

    Point RandomSitePoint(std::int64_t grid) {
        const std::int64_t x = rng_.Range(kSiteMinX + 1000 * kUnit, kSiteMaxX - 1000 * kUnit);
        const std::int64_t y = rng_.Range(kSiteMinY + 1000 * kUnit, kSiteMaxY - 1000 * kUnit);
        return {x / grid * grid, y / grid * grid, 0};
    }
    std::int64_t RandomElevation(std::int64_t grid) {
        return rng_.Range(400 * kUnit, 600 * kUnit) / grid * grid;
    }

    void EntityStart(const char* type, const char* layer) {
        Group(0, type);
        Handle();
        Group(8, layer);
        if (rng_.Chance(3)) GroupInt(62, rng_.Range(1, 254));
    }

    // Entity groups of a polyline's start; vertexFlags go on every vertex.
    struct PolylineStyle {
        const char* layer;
        std::int64_t elevation = 0;
        int flags = 0;  // group 70: 1 closed, 8 3D polyline
        int vertexFlags = 0;
        std::int64_t width = -1;  // default start and end width (40/41), -1 for none
    };

    void PolylineStart(const PolylineStyle& style) {
        EntityStart("POLYLINE", style.layer);
        GroupInt(66, 1);
        GroupPoint(10, {0, 0, style.elevation});
        if (style.flags != 0) GroupInt(70, style.flags);
        if (style.width >= 0) {
            GroupNumber(40, style.width);
            GroupNumber(41, style.width);
        }
        ++polylines_;
        if ((style.flags & 1) != 0) ++closedPolylines_;
        firstVertex_ = true;
    }
    void Vertex(const PolylineStyle& style, const Point& p, std::int64_t bulge = 0) {
        Group(0, "VERTEX");
        Handle();
        Group(8, style.layer);
        GroupPoint(10, p);
        if (bulge != 0) GroupNumber(42, bulge);
        if (style.vertexFlags != 0) GroupInt(70, style.vertexFlags);
        ++vertices_;
        if (csv_ != nullptr) {
            std::string row;
            AppendCsvNumber(row, p.x);
            row.push_back(',');
            AppendCsvNumber(row, p.y);
            row.push_back(',');
            AppendCsvNumber(row, p.z);
            row += "\r\n";
            csv_->Buffer() += row;
            if (firstVertex_) firstRow_ = row;
        }
        firstVertex_ = false;
    }
    void PolylineEnd(const PolylineStyle& style) {
        Group(0, "SEQEND");
        Handle();
        Group(8, style.layer);
        if (csv_ != nullptr) {
            if ((style.flags & 1) != 0) csv_->Buffer() += firstRow_;
            csv_->Buffer() += "\"\",\"\",\"\"\r\n";
        }
    }

    // A smooth wandering line: position steps with a slowly turning velocity,
    // all in whole units of `grid`.
    template <typename EachPoint>
    void Wander(Point start, int count, std::int64_t grid, std::int64_t maxStep, EachPoint each) {
        std::int64_t vx = rng_.Range(-maxStep, maxStep);
        std::int64_t vy = rng_.Range(-maxStep, maxStep);
        Point p = start;
        for (int i = 0; i < count; ++i) {
            each(p);
            vx += rng_.Range(-maxStep / 4, maxStep / 4);
            vy += rng_.Range(-maxStep / 4, maxStep / 4);
            if (vx > maxStep) vx = maxStep;
            if (vx < -maxStep) vx = -maxStep;
            if (vy > maxStep) vy = maxStep;
            if (vy < -maxStep) vy = -maxStep;
            // Keep inside the site by turning back near its edges.
            if (p.x < kSiteMinX + 200 * kUnit) vx = maxStep / 2;
            if (p.x > kSiteMaxX - 200 * kUnit) vx = -maxStep / 2;
            if (p.y < kSiteMinY + 200 * kUnit) vy = maxStep / 2;
            if (p.y > kSiteMaxY - 200 * kUnit) vy = -maxStep / 2;
            p.x += (vx + rng_.Range(-maxStep / 16, maxStep / 16)) / grid * grid;
            p.y += (vy + rng_.Range(-maxStep / 16, maxStep / 16)) / grid * grid;
        }
    }

    // Contour lines from a terrain model: long, open (a few close on a hill
    // top), constant elevation, coordinates with all eight decimals.
    void Contour() {
        const bool major = rng_.Chance(20);
        PolylineStyle style{major ? "CONTOUR_MAJOR" : "CONTOUR_MINOR",
                            (major ? rng_.Range(80, 120) * 5 : rng_.Range(400, 600)) * kUnit};
        const bool ring = rng_.Chance(10);
        if (ring) style.flags = 1;
        const int count = static_cast<int>(ring ? rng_.Range(12, 120) : rng_.Range(30, 300));
        PolylineStart(style);
        Point start = RandomSitePoint(1);
        start.z = style.elevation;
        Wander(start, count, 1, 6 * kUnit, [&](const Point& p) { Vertex(style, p); });
        PolylineEnd(style);
    }

    // Survey breaklines: 3D polylines (70 = 8, vertices 70 = 32), mm grid.
    void Breakline() {
        PolylineStyle style{"BREAKLINE", 0, 8, 32};
        if (rng_.Chance(15)) style.flags = 9;
        const int count = static_cast<int>(rng_.Range(5, 250));
        PolylineStart(style);
        Point start = RandomSitePoint(kMillimetre);
        std::int64_t z = RandomElevation(kMillimetre);
        Wander(start, count, kMillimetre, 12 * kUnit, [&](Point p) {
            z += rng_.Range(-300, 300) * kMillimetre;
            p.z = z;
            Vertex(style, p);
        });
        PolylineEnd(style);
    }

    // Building footprints: closed, right-angled, turned to a Pythagorean
    // direction, corners on a millimetre grid.
    void Building() {
        PolylineStyle style{"BUILDING", 0, 1};
        const auto& d = kDirections[rng_.Below(kDirections.size())];
        const int quadrant = static_cast<int>(rng_.Below(4));
        std::int64_t ux = d[0], uy = d[1];
        for (int q = 0; q < quadrant; ++q) {
            const std::int64_t t = ux;
            ux = -uy;
            uy = t;
        }
        const std::int64_t c = d[2];
        // Walk a rectilinear outline in local (u, v) metres-in-mm steps.
        const std::int64_t w = rng_.Range(6000, 40000), h = rng_.Range(6000, 30000);
        std::array<std::array<std::int64_t, 2>, 12> local{};
        int n = 4;
        local[0] = {0, 0};
        local[1] = {w, 0};
        local[2] = {w, h};
        local[3] = {0, h};
        if (rng_.Chance(50)) {  // an L-shaped or notched footprint
            const std::int64_t nx = rng_.Range(2000, w / 2), ny = rng_.Range(2000, h / 2);
            local = {{{0, 0}, {w, 0}, {w, h - ny}, {w - nx, h - ny}, {w - nx, h}, {0, h}}};
            n = 6;
            if (rng_.Chance(40)) {
                const std::int64_t mx = rng_.Range(1000, w / 3), my = rng_.Range(1000, h / 3);
                local = {{{0, my},
                          {mx, my},
                          {mx, 0},
                          {w, 0},
                          {w, h - ny},
                          {w - nx, h - ny},
                          {w - nx, h},
                          {0, h}}};
                n = 8;
            }
        }
        const Point origin = RandomSitePoint(kMillimetre);
        const std::int64_t z = rng_.Chance(70) ? 0 : RandomElevation(kCentimetre);
        PolylineStart(style);
        for (int i = 0; i < n; ++i) {
            const std::int64_t u = local[static_cast<std::size_t>(i)][0];
            const std::int64_t v = local[static_cast<std::size_t>(i)][1];
            Vertex(style, {origin.x + (u * ux - v * uy) / c * kMillimetre,
                           origin.y + (u * uy + v * ux) / c * kMillimetre, z});
        }
        PolylineEnd(style);
    }

    // Cadastral parcels: closed, irregular, centimetre grid, Z = 0.
    void Parcel() {
        PolylineStyle style{"PARCEL", 0, 1};
        const int count = static_cast<int>(rng_.Range(5, 40));
        PolylineStart(style);
        const Point centre = RandomSitePoint(kCentimetre);
        const std::int64_t radius = rng_.Range(15, 90) * kUnit;
        // Go round the centre through the eight octants, corners jittered.
        for (int i = 0; i < count; ++i) {
            const std::int64_t t = i * 8 * 1000 / count;  // 0..8000 around the ring
            const std::int64_t seg = t / 1000, f = t % 1000;
            std::int64_t ox = 0, oy = 0;
            const std::int64_t a = radius * f / 1000, b = radius - a;
            switch (seg) {
                case 0:
                    ox = radius;
                    oy = a;
                    break;
                case 1:
                    ox = b;
                    oy = radius;
                    break;
                case 2:
                    ox = -a;
                    oy = radius;
                    break;
                case 3:
                    ox = -radius;
                    oy = b;
                    break;
                case 4:
                    ox = -radius;
                    oy = -a;
                    break;
                case 5:
                    ox = -b;
                    oy = -radius;
                    break;
                case 6:
                    ox = a;
                    oy = -radius;
                    break;
                default:
                    ox = radius;
                    oy = -b;
                    break;
            }
            ox += rng_.Range(-radius / 5, radius / 5);
            oy += rng_.Range(-radius / 5, radius / 5);
            Vertex(style, {centre.x + ox / kCentimetre * kCentimetre,
                           centre.y + oy / kCentimetre * kCentimetre, 0});
        }
        PolylineEnd(style);
    }

    // Road edges: open 2D polylines with a default width and arcs (bulges).
    void Road() {
        PolylineStyle style{"ROAD_EDGE", 0, 0, 0, rng_.Chance(30) ? 15 * kUnit / 100 : -1};
        const int count = static_cast<int>(rng_.Range(10, 300));
        PolylineStart(style);
        Wander(RandomSitePoint(kMillimetre), count, kMillimetre, 20 * kUnit, [&](const Point& p) {
            const std::int64_t bulge = rng_.Chance(25) ? rng_.Range(-4000000, 4000000) * 10 : 0;
            Vertex(style, p, bulge);
        });
        PolylineEnd(style);
    }

    void Line() {
        EntityStart("LINE", rng_.Chance(50) ? "UTILITY" : "ROAD_AXIS");
        const Point a = RandomSitePoint(1);
        GroupPoint(10, a);
        GroupPoint(11, {a.x + rng_.Range(-80 * kUnit, 80 * kUnit),
                        a.y + rng_.Range(-80 * kUnit, 80 * kUnit), 0});
    }

    void Circle() {
        EntityStart("CIRCLE", rng_.Chance(50) ? "VEGETATION" : "SURVEY_POINTS");
        GroupPoint(10, RandomSitePoint(kMillimetre));
        GroupNumber(40, rng_.Range(5, 8000) * kMillimetre);
    }

    void Arc() {
        EntityStart("ARC", rng_.Chance(50) ? "ROAD_AXIS" : "UTILITY");
        GroupPoint(10, RandomSitePoint(1));
        GroupNumber(40, rng_.Range(2 * kUnit, 400 * kUnit));
        // Angles in degrees with up to ten decimals.
        GroupNumber(50, rng_.Range(0, 359999999999), 10);
        GroupNumber(51, rng_.Range(0, 359999999999), 10);
    }

    void Text() {
        EntityStart("TEXT", "ANNOTATION");
        const Point at = RandomSitePoint(kMillimetre);
        GroupPoint(10, at);
        const std::int64_t height = rng_.Chance(70) ? 25 * kUnit / 10 : 5 * kUnit / 10 * 3;
        GroupNumber(40, height);
        std::string text;
        switch (rng_.Below(3)) {
            case 0:
                text = std::to_string(rng_.Range(1, 9999));
                break;
            case 1:
                AppendDxfNumber(text, RandomElevation(kCentimetre));
                break;
            default:
                text = kStreetNames[rng_.Below(kStreetNames.size())];
                text += ' ';
                text += std::to_string(rng_.Range(1, 120));
                break;
        }
        Group(1, text);
        if (rng_.Chance(40)) GroupNumber(50, rng_.Range(1, 3599999) * 100, 10);
        if (rng_.Chance(30)) {
            GroupInt(72, 1);
            GroupPoint(11, at);
        }
    }

    void Insert() {
        const std::uint64_t which = rng_.Below(10);
        EntityStart("INSERT", which < 7 ? "VEGETATION" : "UTILITY");
        Group(2, which < 7 ? "TREE" : (which < 9 ? "MANHOLE" : "NORTH_ARROW"));
        GroupPoint(10, RandomSitePoint(kMillimetre));
        if (which < 7) {
            const std::int64_t scale = rng_.Range(5, 40) * kUnit / 10;
            GroupNumber(41, scale);
            GroupNumber(42, scale);
            GroupNumber(43, kUnit);
        }
        if (rng_.Chance(30)) GroupNumber(50, rng_.Range(0, 3599) * kUnit / 10);
    }

    OutFile& dxf_;
    OutFile* csv_;
    Rng rng_;
    std::uint64_t target_;
    std::uint64_t nextHandle_ = 0x20;
    bool firstVertex_ = false;
    std::string firstRow_;
    std::uint64_t polylines_ = 0, closedPolylines_ = 0, vertices_ = 0;
    std::array<std::uint64_t, kKindCount> kindBytes_{}, kindCount_{};
};

bool ParseUnsigned(std::string_view text, std::uint64_t& value) {
    if (text.empty()) return false;
    value = 0;
    for (char ch : text) {
        if (ch < '0' || ch > '9') return false;
        value = value * 10 + static_cast<std::uint64_t>(ch - '0');
    }
    return true;
}

bool ParseSize(std::string_view text, std::uint64_t& size) {
    std::uint64_t factor = 1;
    if (!text.empty()) {
        switch (text.back()) {
            case 'k':
            case 'K':
                factor = 1000;
                break;
            case 'M':
                factor = 1000000;
                break;
            case 'G':
                factor = 1000000000;
                break;
            default:
                break;
        }
        if (factor != 1) text.remove_suffix(1);
    }
    if (!ParseUnsigned(text, size)) return false;
    size *= factor;
    return true;
}

int Usage() {
    std::fprintf(stderr,
                 "usage: vernolak-gen-drawing [--seed=N] [--csv=PATH] [--quiet] SIZE OUTPUT.dxf\n"
                 "  SIZE: bytes, optionally with k, M or G (powers of 1000), e.g. 10M\n"
                 "  --csv=PATH: also write the CSV file that converting the drawing gives\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::uint64_t seed = 20240611;
    const char* csvPath = nullptr;
    bool quiet = false;
    const char* positional[2] = {nullptr, nullptr};
    int positionalCount = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg.rfind("--seed=", 0) == 0) {
            if (!ParseUnsigned(arg.substr(7), seed)) return Usage();
        } else if (arg.rfind("--csv=", 0) == 0) {
            csvPath = argv[i] + 6;
        } else if (arg == "--quiet") {
            quiet = true;
        } else if (positionalCount < 2 && !arg.empty() && arg[0] != '-') {
            positional[positionalCount++] = argv[i];
        } else {
            return Usage();
        }
    }
    std::uint64_t size = 0;
    if (positionalCount != 2 || !ParseSize(positional[0], size)) return Usage();

    OutFile dxf(positional[1]);
    std::optional<OutFile> csv;
    if (csvPath != nullptr) csv.emplace(csvPath);
    DrawingWriter writer(dxf, csv ? &*csv : nullptr, seed, size);
    writer.Write();
    dxf.Close();
    if (csv) csv->Close();
    if (!quiet) writer.PrintStats();
    return 0;
}
