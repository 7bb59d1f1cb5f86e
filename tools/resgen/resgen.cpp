// resgen: writes a Windows icon file (.ico) from a picture drawn in text.
//
//   resgen INPUT.txt OUTPUT.ico
//
// The input holds, in any order:
//   - comment lines starting with '#', and blank lines;
//   - legend lines "C = #RRGGBB", "C = #RRGGBBAA" or "C = transparent", each
//     giving the colour of the single character C;
//   - the picture: one line per row of pixels, top row first, one legend
//     character per pixel. Every row has the same length; width and height
//     are 1 to 256.
//   - optionally, the icon again for larger sizes, as shapes, so that a
//     scaled screen shows it drawn for its size rather than stretched:
//       sizes N...                  the sizes in pixels, each 1 to 256;
//       box X0 Y0 X1 Y1 RADIUS C    a rectangle with rounded corners;
//       disc CX CY R C              a filled circle;
//       line X0 Y0 X1 Y1 WIDTH C    a stroke with round ends;
//       arc CX CY R WIDTH FROM TO C a stroke along a circle, from angle FROM
//                                   to TO, in degrees clockwise from the
//                                   right (the y axis points down);
//       star CX CY R C              a five-pointed star, a point upwards.
//     Coordinates are in the picture's own square, 16 units across for a
//     16-pixel picture; each shape covers what its predecessors drew. Edges
//     are smoothed: a pixel takes the share of it that a shape covers.
// The icon has one image of 32 bits per pixel (BGRA, bottom-up) with its AND
// mask, which marks the fully transparent pixels, per size: the picture's,
// then each size of the shapes.
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

struct Color {
    std::uint8_t r = 0, g = 0, b = 0, a = 0;
};

struct Picture {
    std::size_t width = 0;
    std::vector<std::vector<Color>> rows;
};

enum class ShapeKind { kBox, kDisc, kLine, kArc, kStar };

struct Shape {
    ShapeKind kind;
    std::vector<double> numbers;  // as the input gives them, after the keyword
    Color color;
};

// What one input file describes.
struct Source {
    Picture picture;
    std::vector<int> sizes;
    std::vector<Shape> shapes;
};

std::string Trim(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

Color ParseColor(const std::string& text) {
    if (text == "transparent") {
        return Color{};
    }
    if (text.empty() || text[0] != '#' || (text.size() != 7 && text.size() != 9)) {
        throw std::runtime_error("colour must be #RRGGBB, #RRGGBBAA or transparent: " + text);
    }
    std::uint8_t bytes[4] = {0, 0, 0, 255};
    for (std::size_t i = 1, n = 0; i < text.size(); i += 2, ++n) {
        const int high = HexDigit(text[i]);
        const int low = HexDigit(text[i + 1]);
        if (high < 0 || low < 0) {
            throw std::runtime_error("bad hexadecimal digit in " + text);
        }
        bytes[n] = static_cast<std::uint8_t>(high * 16 + low);
    }
    return Color{bytes[0], bytes[1], bytes[2], bytes[3]};
}

struct ShapeSyntax {
    const char* keyword;
    ShapeKind kind;
    std::size_t numbers;
};

constexpr ShapeSyntax kShapes[] = {
    {"box", ShapeKind::kBox, 5}, {"disc", ShapeKind::kDisc, 3}, {"line", ShapeKind::kLine, 5},
    {"arc", ShapeKind::kArc, 6}, {"star", ShapeKind::kStar, 3},
};

std::vector<std::string> Words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string word; in >> word;) {
        words.push_back(word);
    }
    return words;
}

double Number(const std::string& word) {
    std::size_t used = 0;
    double value = 0;
    try {
        value = std::stod(word, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used != word.size()) {
        throw std::runtime_error("not a number: " + word);
    }
    return value;
}

// A "sizes" or shape line; false for another line.
bool ParseShapeLine(const std::string& line, const std::map<char, Color>& legend, Source& source) {
    const std::vector<std::string> words = Words(line);
    if (words.size() < 2) {
        return false;
    }
    if (words[0] == "sizes") {
        for (std::size_t i = 1; i < words.size(); ++i) {
            const double size = Number(words[i]);
            if (size < 1 || size > 256 || size != std::floor(size)) {
                throw std::runtime_error("a size is a whole number from 1 to 256: " + words[i]);
            }
            source.sizes.push_back(static_cast<int>(size));
        }
        return true;
    }
    for (const ShapeSyntax& syntax : kShapes) {
        if (words[0] != syntax.keyword) {
            continue;
        }
        if (words.size() != syntax.numbers + 2 || words.back().size() != 1) {
            throw std::runtime_error(words[0] + " takes " + std::to_string(syntax.numbers) +
                                     " numbers and a legend character");
        }
        Shape shape{syntax.kind, {}, {}};
        for (std::size_t i = 1; i <= syntax.numbers; ++i) {
            shape.numbers.push_back(Number(words[i]));
        }
        const auto found = legend.find(words.back()[0]);
        if (found == legend.end()) {
            throw std::runtime_error("no colour given for '" + words.back() + "'");
        }
        shape.color = found->second;
        source.shapes.push_back(shape);
        return true;
    }
    return false;
}

Source Parse(std::istream& in) {
    std::map<char, Color> legend;
    std::vector<std::pair<int, std::string>> rowLines;
    std::vector<std::pair<int, std::string>> shapeLines;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        try {
            const std::string trimmed = Trim(line);
            if (trimmed.empty() || trimmed[0] == '#') {
                continue;
            }
            // A legend line: "C = colour". Rows have no blanks.
            if (trimmed.size() >= 3 && trimmed[1] == ' ' && trimmed[2] == '=') {
                const char key = trimmed[0];
                if (legend.count(key) != 0) {
                    throw std::runtime_error(std::string("colour of '") + key + "' given twice");
                }
                legend[key] = ParseColor(Trim(trimmed.substr(3)));
                continue;
            }
            // Shapes name legend characters, which may come later.
            if (trimmed.find(' ') != std::string::npos) {
                shapeLines.emplace_back(number, trimmed);
                continue;
            }
            rowLines.emplace_back(number, trimmed);
        } catch (const std::exception& error) {
            throw std::runtime_error("line " + std::to_string(number) + ": " + error.what());
        }
    }
    Source source;
    for (const auto& [number, text] : shapeLines) {
        try {
            if (!ParseShapeLine(text, legend, source)) {
                throw std::runtime_error("neither a picture row nor a shape: " + text);
            }
        } catch (const std::exception& error) {
            throw std::runtime_error("line " + std::to_string(number) + ": " + error.what());
        }
    }
    if (source.sizes.empty() != source.shapes.empty()) {
        throw std::runtime_error("shapes need sizes to be drawn at, and sizes shapes");
    }
    Picture& picture = source.picture;
    for (const auto& [number, text] : rowLines) {
        const std::string where = "line " + std::to_string(number) + ": ";
        if (picture.rows.empty()) {
            picture.width = text.size();
        } else if (text.size() != picture.width) {
            throw std::runtime_error(where + "row of " + std::to_string(text.size()) +
                                     " pixels, the first row has " + std::to_string(picture.width));
        }
        std::vector<Color> row;
        for (char c : text) {
            auto found = legend.find(c);
            if (found == legend.end()) {
                throw std::runtime_error(where + "no colour given for '" + c + "'");
            }
            row.push_back(found->second);
        }
        picture.rows.push_back(row);
    }
    if (picture.rows.empty() || picture.width == 0 || picture.width > 256 ||
        picture.rows.size() > 256) {
        throw std::runtime_error("the picture must be 1 to 256 pixels wide and high");
    }
    return source;
}

// ---------------------------------------------------------------------------
// Drawing the shapes

constexpr double kPi = 3.14159265358979323846;

double DistanceToSegment(double x, double y, double x0, double y0, double x1, double y1) {
    const double dx = x1 - x0;
    const double dy = y1 - y0;
    const double length2 = dx * dx + dy * dy;
    double t = length2 > 0 ? ((x - x0) * dx + (y - y0) * dy) / length2 : 0;
    t = std::fmax(0, std::fmin(1, t));
    return std::hypot(x - (x0 + t * dx), y - (y0 + t * dy));
}

bool InBox(const std::vector<double>& n, double x, double y) {
    const double radius = n[4];
    // The distance to the rectangle shrunk by the radius.
    const double dx = std::fmax(std::fmax(n[0] + radius - x, x - (n[2] - radius)), 0);
    const double dy = std::fmax(std::fmax(n[1] + radius - y, y - (n[3] - radius)), 0);
    return x >= n[0] && x <= n[2] && y >= n[1] && y <= n[3] && std::hypot(dx, dy) <= radius;
}

bool InArc(const std::vector<double>& n, double x, double y) {
    if (std::fabs(std::hypot(x - n[0], y - n[1]) - n[2]) > n[3] / 2) {
        return false;
    }
    double angle = std::atan2(y - n[1], x - n[0]) * 180 / kPi;
    double from = n[4];
    double to = n[5];
    // Angles from `from` onwards, up to a full turn.
    while (angle < from) {
        angle += 360;
    }
    while (angle >= from + 360) {
        angle -= 360;
    }
    return angle <= to;
}

bool InStar(const std::vector<double>& n, double x, double y) {
    // The ten corners, outer and inner by turns, a point upwards; the even-odd
    // rule over its edges.
    double corners[10][2];
    for (int i = 0; i < 10; ++i) {
        const double radius = i % 2 == 0 ? n[2] : n[2] * 0.382;
        const double angle = -kPi / 2 + i * kPi / 5;
        corners[i][0] = n[0] + radius * std::cos(angle);
        corners[i][1] = n[1] + radius * std::sin(angle);
    }
    bool inside = false;
    for (int i = 0, j = 9; i < 10; j = i++) {
        const double yi = corners[i][1], yj = corners[j][1];
        if ((yi > y) != (yj > y) &&
            x < (corners[j][0] - corners[i][0]) * (y - yi) / (yj - yi) + corners[i][0]) {
            inside = !inside;
        }
    }
    return inside;
}

bool Covers(const Shape& shape, double x, double y) {
    const std::vector<double>& n = shape.numbers;
    switch (shape.kind) {
        case ShapeKind::kBox:
            return InBox(n, x, y);
        case ShapeKind::kDisc:
            return std::hypot(x - n[0], y - n[1]) <= n[2];
        case ShapeKind::kLine:
            return DistanceToSegment(x, y, n[0], n[1], n[2], n[3]) <= n[4] / 2;
        case ShapeKind::kArc:
            return InArc(n, x, y);
        case ShapeKind::kStar:
            return InStar(n, x, y);
    }
    return false;
}

// A colour with premultiplied alpha, 0 to 1.
struct Paint {
    double r = 0, g = 0, b = 0, a = 0;
};

// The shapes at `size` pixels: each pixel sampled on a grid, each shape laid
// over the ones before by the share of the samples it covers.
Picture Draw(const Source& source, int size) {
    constexpr int kSamples = 5;  // per pixel, across and down
    const double units = static_cast<double>(source.picture.width) / size;
    Picture picture;
    picture.width = static_cast<std::size_t>(size);
    for (int py = 0; py < size; ++py) {
        std::vector<Color> row;
        for (int px = 0; px < size; ++px) {
            Paint paint;
            for (const Shape& shape : source.shapes) {
                int hits = 0;
                for (int sy = 0; sy < kSamples; ++sy) {
                    for (int sx = 0; sx < kSamples; ++sx) {
                        const double x = (px + (sx + 0.5) / kSamples) * units;
                        const double y = (py + (sy + 0.5) / kSamples) * units;
                        hits += Covers(shape, x, y) ? 1 : 0;
                    }
                }
                const double alpha = shape.color.a / 255.0 * hits / (kSamples * kSamples);
                paint.r = shape.color.r / 255.0 * alpha + paint.r * (1 - alpha);
                paint.g = shape.color.g / 255.0 * alpha + paint.g * (1 - alpha);
                paint.b = shape.color.b / 255.0 * alpha + paint.b * (1 - alpha);
                paint.a = alpha + paint.a * (1 - alpha);
            }
            const auto byte = [](double value) {
                return static_cast<std::uint8_t>(std::lround(std::fmin(1, value) * 255));
            };
            Color color;
            if (paint.a > 0) {
                color = Color{byte(paint.r / paint.a), byte(paint.g / paint.a),
                              byte(paint.b / paint.a), byte(paint.a)};
            }
            row.push_back(color);
        }
        picture.rows.push_back(row);
    }
    return picture;
}

// ---------------------------------------------------------------------------
// The icon file

void Put16(std::string& out, unsigned value) {
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

void Put32(std::string& out, std::uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

std::uint32_t ImageSize(const Picture& picture) {
    const auto width = static_cast<std::uint32_t>(picture.width);
    const auto height = static_cast<std::uint32_t>(picture.rows.size());
    const std::uint32_t maskStride = ((width + 31) / 32) * 4;
    return 40 + width * height * 4 + maskStride * height;
}

void PutEntry(std::string& out, const Picture& picture, std::uint32_t offset) {
    const auto width = static_cast<std::uint32_t>(picture.width);
    const auto height = static_cast<std::uint32_t>(picture.rows.size());
    out.push_back(static_cast<char>(width == 256 ? 0 : width));
    out.push_back(static_cast<char>(height == 256 ? 0 : height));
    out.push_back(0);  // no palette
    out.push_back(0);
    Put16(out, 1);   // planes
    Put16(out, 32);  // bits per pixel
    Put32(out, ImageSize(picture));
    Put32(out, offset);
}

void PutImage(std::string& out, const Picture& picture) {
    const auto width = static_cast<std::uint32_t>(picture.width);
    const auto height = static_cast<std::uint32_t>(picture.rows.size());
    const std::uint32_t maskStride = ((width + 31) / 32) * 4;
    // BITMAPINFOHEADER: the height counts the colour image and the mask.
    Put32(out, 40);
    Put32(out, width);
    Put32(out, height * 2);
    Put16(out, 1);
    Put16(out, 32);
    Put32(out, 0);  // BI_RGB
    Put32(out, width * height * 4 + maskStride * height);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 0);
    // Colour image, bottom row first.
    for (std::uint32_t y = height; y-- > 0;) {
        for (const Color& c : picture.rows[y]) {
            out.push_back(static_cast<char>(c.b));
            out.push_back(static_cast<char>(c.g));
            out.push_back(static_cast<char>(c.r));
            out.push_back(static_cast<char>(c.a));
        }
    }
    // AND mask, bottom row first: 1 where the pixel is fully transparent.
    for (std::uint32_t y = height; y-- > 0;) {
        std::string row(maskStride, '\0');
        for (std::uint32_t x = 0; x < width; ++x) {
            if (picture.rows[y][x].a == 0) {
                row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
            }
        }
        out += row;
    }
}

std::string IconFile(const Source& source) {
    std::vector<Picture> images{source.picture};
    for (int size : source.sizes) {
        images.push_back(Draw(source, size));
    }
    std::string out;
    // ICONDIR, its entries, then the images in the same order.
    Put16(out, 0);
    Put16(out, 1);  // icon
    Put16(out, static_cast<unsigned>(images.size()));
    auto offset = static_cast<std::uint32_t>(6 + 16 * images.size());
    for (const Picture& image : images) {
        PutEntry(out, image, offset);
        offset += ImageSize(image);
    }
    for (const Picture& image : images) {
        PutImage(out, image);
    }
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: resgen INPUT.txt OUTPUT.ico\n";
        return 2;
    }
    try {
        std::ifstream in(argv[1]);
        if (!in) {
            throw std::runtime_error("cannot read the file");
        }
        const std::string icon = IconFile(Parse(in));
        std::ofstream out(argv[2], std::ios::binary);
        out.write(icon.data(), static_cast<std::streamsize>(icon.size()));
        if (!out) {
            std::cerr << argv[2] << ": cannot write the file\n";
            return 1;
        }
    } catch (const std::exception& error) {
        std::cerr << argv[1] << ": " << error.what() << "\n";
        return 1;
    }
    return 0;
}
