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
// The icon has one image of 32 bits per pixel (BGRA, bottom-up) with its
// AND mask, which marks the fully transparent pixels.
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

Picture Parse(std::istream& in) {
    std::map<char, Color> legend;
    std::vector<std::pair<int, std::string>> rowLines;
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
            rowLines.emplace_back(number, trimmed);
        } catch (const std::exception& error) {
            throw std::runtime_error("line " + std::to_string(number) + ": " + error.what());
        }
    }
    Picture picture;
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
    return picture;
}

void Put16(std::string& out, unsigned value) {
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

void Put32(std::string& out, std::uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

std::string IconFile(const Picture& picture) {
    const auto width = static_cast<std::uint32_t>(picture.width);
    const auto height = static_cast<std::uint32_t>(picture.rows.size());
    const std::uint32_t maskStride = ((width + 31) / 32) * 4;
    const std::uint32_t imageSize = 40 + width * height * 4 + maskStride * height;

    std::string out;
    // ICONDIR and its one entry.
    Put16(out, 0);
    Put16(out, 1);  // icon
    Put16(out, 1);  // one image
    out.push_back(static_cast<char>(width == 256 ? 0 : width));
    out.push_back(static_cast<char>(height == 256 ? 0 : height));
    out.push_back(0);  // no palette
    out.push_back(0);
    Put16(out, 1);   // planes
    Put16(out, 32);  // bits per pixel
    Put32(out, imageSize);
    Put32(out, 6 + 16);
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
