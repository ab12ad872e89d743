#include "imaging/exif_details.h"

#include <cmath>
#include <cstring>

#include "base/log.h"
#include "imaging/iptc_reader.h"
#include "platform/paths.h"
#include "platform/text.h"

namespace lx {

const char* const kDetailsGroupTitles[9] = {
    "Exif MetaData: Count and Size",
    "Exif MetaData: Equipment",
    "Exif MetaData: Image Shot",
    "Exif MetaData: Image Data",
    "Exif MetaData: Picture-Taking Conditions",
    "Exif MetaData: Exif Data",
    "Exif MetaData: GPS Data",
    "Exif MetaData: Thumbnail Data",
    "IPTC MetaData: Image Data",
};

namespace {

const char* const kDegree = "\xC2\xB0";  // the degree sign in UTF-8

// Reads the little-endian value bytes of an item; missing bytes read as 0, so a
// short or damaged item never reads past its value.
class ItemValue {
 public:
  explicit ItemValue(const PropertyItem& item) : item_(item) {}

  std::uint8_t Byte(size_t at) const {
    return at < item_.value.size() ? static_cast<std::uint8_t>(item_.value[at]) : 0;
  }
  std::uint16_t U16(size_t at) const { return static_cast<std::uint16_t>(Byte(at) | (Byte(at + 1) << 8)); }
  std::uint32_t U32(size_t at) const {
    return static_cast<std::uint32_t>(Byte(at)) | (static_cast<std::uint32_t>(Byte(at + 1)) << 8) |
           (static_cast<std::uint32_t>(Byte(at + 2)) << 16) | (static_cast<std::uint32_t>(Byte(at + 3)) << 24);
  }
  std::int32_t S32(size_t at) const { return static_cast<std::int32_t>(U32(at)); }

  // The ASCII value up to its terminating NUL.
  std::string Text() const {
    size_t end = item_.value.find('\0');
    return item_.value.substr(0, end);
  }
  // The first value of an integer item, by its type.
  long Int() const {
    switch (item_.type) {
      case 1:
      case 7:
        return Byte(0);
      case 3:
        return U16(0);
      case 8:
        return static_cast<std::int16_t>(U16(0));
      case 9:
        return S32(0);
      default:
        return static_cast<long>(U32(0));
    }
  }
  int Short() const { return item_.type == 4 || item_.type == 9 ? static_cast<int>(Int()) : U16(0); }
  // The i-th rational, numerator and denominator read as signed.
  long Num(int i = 0) const { return S32(static_cast<size_t>(i) * 8); }
  long Den(int i = 0) const { return S32(static_cast<size_t>(i) * 8 + 4); }
  float Ratio(int i = 0) const { return static_cast<float>(Num(i)) / static_cast<float>(Den(i)); }

 private:
  const PropertyItem& item_;
};

using ValueRule = std::string (*)(const ItemValue&);

struct CatalogueEntry {
  std::uint32_t tag;
  int group;
  const char* label;
  const char* description;
  ValueRule value;
};

struct EnumText {
  int value;
  const char* text;
};

template <size_t N>
std::string Lookup(const EnumText (&table)[N], int value, const char* other) {
  for (const auto& e : table)
    if (e.value == value) return e.text;
  return other;
}

// A ratio truncated to a whole number; 0 where the ratio has no value.
long TruncatedRatio(const ItemValue& v) {
  if (v.Den() == 0) return 0;
  return static_cast<long>(v.Num() / v.Den());
}

std::string PlainRatio(const ItemValue& v, const char* format) {
  if (v.Den() == 0) return "Undefined";  // no number to show for a zero denominator
  return StrFormat(format, static_cast<double>(v.Ratio()));
}

std::string Coordinate(const ItemValue& v, const char* error) {
  long degNum = v.Num(0), degDen = v.Den(0), minNum = v.Num(1), minDen = v.Den(1);
  long secNum = v.Num(2), secDen = v.Den(2);
  if (secNum == 0 && secDen == 1) {
    if (degDen <= 0 || minDen <= 0) return error;
    return StrFormat("%2.0f%s %2.2f'", static_cast<double>(v.Ratio(0)), kDegree, static_cast<double>(v.Ratio(1)));
  }
  if (degDen <= 0 || minDen <= 0 || secDen <= 0) return error;
  // "%2ld", not "%2.ld": a precision of zero would print a zero minute as blanks.
  return StrFormat("%2ld%s %2ld' %2ld\"", degNum / degDen, kDegree, minNum / minDen, secNum / secDen);
}

std::string Altitude(const ItemValue& v) {
  long num = v.Num(), den = v.Den();
  const char* plural = num > 1 ? "s" : " ";
  if (den == 1) return StrFormat("%ld meter%s", num, plural);
  if (den <= 0) return "Error Reading Altitude";
  return StrFormat("%.2f meter%s", static_cast<double>(v.Ratio()), plural);
}

std::string GpsTime(const ItemValue& v) {
  if (v.Den(2) <= 0) return "Error Reading GPS Time";
  return StrFormat("%.2ld:%.2ld:%.2ld UTC", v.Num(0), v.Num(1), v.Num(2) / v.Den(2));
}

std::string GpsSpeed(const ItemValue& v) {
  if (v.Den() == 1) return StrFormat("%ld", v.Num());
  if (v.Den() <= 0) return "Error Reading GPS Speed";
  return StrFormat("%.2f", static_cast<double>(v.Ratio()));
}

std::string ExposureTime(const ItemValue& v) {
  long num = v.Num(), den = v.Den();
  if (den == 1) return StrFormat("%ld sec.", num);
  if (den == 10) return StrFormat("%ld sec.", num / 10);
  if (num == 10) return StrFormat("%ld/%ld sec.", 1L, den / 10);
  return StrFormat("%ld/%ld sec.", num, den);
}

std::string SubjectDistance(const ItemValue& v) {
  if (v.U32(0) == 0xFFFFFFFFu) return "Infinity";
  if (v.Num() == 0 || v.Den() == 0) return "Unknown";
  float ratio = v.Ratio();
  return StrFormat("%.2f Meter%c", static_cast<double>(ratio), ratio >= 2.0f ? 's' : ' ');
}

const EnumText kCompression[] = {
    {1, "Uncompressed"},
    {2, "CCITT 1D"},
    {3, "T4/Group 3 Fax"},
    {4, "T6/Group 4 Fax"},
    {5, "LZW"},
    {6, "JPEG compression (Old-Style)"},
    {7, "JPEG"},
    {8, "Adobe Deflate"},
    {9, "JBIG B&W"},
    {10, "JBIG Color"},
    {99, "JPEG"},
    {262, "Kodak 262"},
    {32766, "Next"},
    {32767, "Sony ARW Compressed"},
    {32769, "Packed RAW"},
    {32770, "Samsung SRW Compressed"},
    {32771, "CCIRLEW"},
    {32773, "PackBits"},
    {32809, "Thunderscan"},
    {32867, "Kodak KDC Compressed"},
    {32895, "IT8CTPAD"},
    {32896, "IT8LW"},
    {32897, "IT8MP"},
    {32898, "IT8BL"},
    {32908, "PixarFilm"},
    {32909, "PixarLog"},
    {32946, "Deflate"},
    {32947, "DCS"},
    {34661, "JBIG"},
    {34676, "SGILog"},
    {34677, "SGILog24"},
    {34712, "JPEG 2000"},
    {34713, "Nikon NEF Compressed"},
    {34715, "JBIG2 TIFF FX"},
    {34718, "Microsoft Document Imaging (MDI) Binary Level Codec"},
    {34719, "Microsoft Document Imaging (MDI) Progressive Transform Codec"},
    {34720, "Microsoft Document Imaging (MDI) Vector"},
    {65000, "Kodak DCR Compressed"},
    {65535, "Pentax PEF Compressed"},
};

const EnumText kOrientation[] = {
    {1, "First Row on Top of the Image and First Column on Left of the Image"},
    {2, "First Row on Top of the Image and First Column on Right of the Image"},
    {3, "First Row on Bottom of the Image and First Column on Right of the Image"},
    {4, "First Row on Bottom of the Image and First Column on Left of the Image"},
    {5, "First Row on Left of the Image and First Column on Top of the Image"},
    {6, "First Row on Right of the Image and First Column on Top of the Image"},
    {7, "First Row on Right of the Image and First Column on Bottom of the Image"},
    {8, "First Row on Left of the Image and First Column on Bottom of the Image"},
};

const EnumText kProgram[] = {
    {0, "Not Defined"},       {1, "Manual"},           {2, "Normal Program"},
    {3, "Aperture Priority"}, {4, "Shutter Priority"}, {5, "Creative Program"},
    {6, "Action Program"},    {7, "Portrait Mode"},    {8, "Lanscape Mode"},
};

const EnumText kMetering[] = {
    {0, "Unknown"}, {1, "Average"}, {2, "Center Weighted Average"}, {3, "Spot"}, {4, "MultiSpot"}, {5, "Pattern"},
    {6, "Partial"}, {255, "Other"},
};

const EnumText kLightSource[] = {
    {0, "Unknown"},
    {1, "Daylight"},
    {2, "Fluorescent"},
    {3, "Tungsten"},
    {4, "Flash"},
    {9, "Fine Weather"},
    {10, "Cloudy Weather"},
    {11, "Shade"},
    {12, "Daylight Fluorescent"},
    {13, "Day White Fluorescent"},
    {14, "Cool White Fluorescent"},
    {15, "White Fluorescent"},
    {17, "Standard Light A"},
    {18, "Standard Light B"},
    {19, "Standard Light C"},
    {20, "D55"},
    {21, "D65"},
    {22, "D75"},
    {23, "D50"},
    {24, "ISO Studio Tungsten"},
    {255, "Other Light Source"},
};

const EnumText kFlash[] = {
    {0, "Flash Not Fired"},
    {1, "Flash Fired"},
    {5, "Strobe Return Light not Detected"},
    {7, "Strobe Return Light Detected"},
    {9, "Flash Fired, Compulsory Flash Mode"},
    {13, "Flash Fired, Return Light not Detected, Compulsory Flash Mode"},
    {15, "Flash Fired, Return Light Detected, Compulsory Flash Mode"},
    {16, "Flash Not Fired, Compulsory Flash Mode"},
    {24, "Flash Not Fired, Auto Mode"},
    {25, "Flash Fired, Auto Mode"},
    {29, "Flash Fired, Return Light not Detected, Auto Mode"},
    {31, "Flash fired, Return Light Detected, Auto Mode"},
    {32, "No Flash Function"},
    {65, "Flash Fired, Red-Eye Reduction Mode"},
    {69, "Flash Fired, Return Light not Detected, Red-Eye Reduction Mode"},
    {71, "Flash Fired, Return Light Detected, Red-Eye Reduction Mode"},
    {73, "Flash Fired, Compulsory Flash Mode, Red-Eye Reduction Mode"},
    {77, "Flash Fired, Return Light not Detected, Compulsory Flash Mode, Red-Eye Reduction Mode"},
    {79, "Flash Fired, Return Light Detected, Compulsory Flash Mode, Red-Eye Reduction Mode"},
    {89, "Flash Fired, Auto Mode, Red-Eye Reduction Mode"},
    {93, "Flash Fired, Return Light not Detected, Auto Mode, Red-Eye Reduction Mode"},
    {95, "Flash Fired, Return Light Detected, Auto Mode, Red-Eye Reduction Mode"},
};

std::string IntText(const ItemValue& v) { return StrFormat("%ld", v.Int()); }
std::string TextValue(const ItemValue& v) { return v.Text(); }

const CatalogueEntry kCatalogue[] = {
    {0x0001, 7, "GPS Latitude Reference", "Specifies whether the GPS Latitude Reference is North or South",
     [](const ItemValue& v) -> std::string { return v.Text() == "N" ? "North Latitude" : "South Latitude"; }},
    {0x0002, 7, "GPS Latitude",
     "Specifies the Latitude, expressed as Degrees, Minutes and Seconds or Degrees and Minutes (with 2 decimals)",
     [](const ItemValue& v) { return Coordinate(v, "Error Reading Latitude"); }},
    {0x0003, 7, "GPS Longitude Reference", "Specifies whether the GPS Longitude Rference is East ro West",
     [](const ItemValue& v) -> std::string { return v.Text() == "E" ? "East Longitude" : "West Longitude"; }},
    {0x0004, 7, "GPS Longitude",
     "Specifies the Longitude, expressed as Degrees, Minutes and Seconds or Degrees and Minutes (with 2 decimals)",
     [](const ItemValue& v) { return Coordinate(v, "Error Reading Longitude"); }},
    {0x0006, 7, "Altitude", "Specifies the Altitude (in meters), based on the Reference Altitude", Altitude},
    {0x0007, 7, "GPS Time (UTC)", "Specifies the Time of Shot, as Coordinated Universal Time (UTC)", GpsTime},
    {0x0008, 7, "GPS Satellites", "Specifies the GPS Satellites Used for the Measurement", TextValue},
    {0x0009, 7, "GPS Status", "Specifies the Status of the GPS Reveiver when the Image was Recorded",
     [](const ItemValue& v) -> std::string {
       return v.Text() == "A" ? "Measurement in Progress" : "Measurement is Interoperability";
     }},
    {0x000A, 7, "GPS Measure Mode", "Specifies the GPS Measurement Mode",
     [](const ItemValue& v) -> std::string { return v.Text() == "2" ? "2-D Measurement" : "3-D Measurement"; }},
    {0x000C, 7, "GPS Speed Reference", "Specifies the Unit of the GPS Receiver Speed",
     [](const ItemValue& v) -> std::string {
       std::string t = v.Text();
       return t == "K" ? "Kilometers per Hour" : t == "M" ? "Miles per Hour" : "Knots";
     }},
    {0x000D, 6, "GPS Speed", "Specifies the Speed of the GPS Receiver", GpsSpeed},
    {0x0100, 4, "Image Width", "Specifies the Number of Pixels per Row of the Image", IntText},
    {0x0101, 4, "Image Height", "Specifies the Number of Pixels per Column of the Image", IntText},
    {0x0103, 4, "Compression", "Specifies the Compression Scheme of the Image Data",
     [](const ItemValue& v) { return Lookup(kCompression, v.Short(), "Reserved"); }},
    {0x0106, 4, "Photometric Interpretation", "Specifies the Colour Space of the Image Data",
     [](const ItemValue& v) -> std::string {
       int s = v.Short();
       return s == 0 ? "None" : s == 2 ? "RGB" : s == 6 ? "YCbCr" : "Reserved";
     }},
    {0x010F, 2, "Make", "Specifies the Manufacturer of the Recording Equipment", TextValue},
    {0x0110, 2, "Model", "Specifies the Model Name or Number of the Recording Equipment", TextValue},
    {0x0112, 3, "Orientation", "Specifies the Orientation of the Image in Rows and Columns",
     [](const ItemValue& v) { return Lookup(kOrientation, v.Short(), "Unknown Orientation"); }},
    {0x011A, 4, "Horizontal Resolution", "Specifies the Number of Pixels per Resolution Unit in the Width Direction",
     [](const ItemValue& v) { return StrFormat("%ld", TruncatedRatio(v)); }},
    {0x011B, 4, "Vertical Resolution", "Specifies the Number of Pixels per Resolution Unit in the Height Direction",
     [](const ItemValue& v) { return StrFormat("%ld", TruncatedRatio(v)); }},
    {0x0128, 4, "Resolution Unit", "Specifies the Unit of the Horizontal and Vertical Resolutions",
     [](const ItemValue& v) -> std::string {
       int s = v.Short();
       return s == 2 ? "inch" : s == 3 ? "cm" : "Unknown";
     }},
    {0x0131, 2, "Software", "Specifies the Software Used to Generate the Image", TextValue},
    {0x0132, 3, "Date and Time", "Specifies the Date and Time the Image was Created", TextValue},
    {0x0201, 4, "BitStream Offset", "Specifies the Offset of the JPEG Compressed Data", IntText},
    {0x0202, 4, "BitStream Length", "Specifies the Length of the JPEG Compressed Data",
     [](const ItemValue& v) { return StrFormat("%ld bytes", v.Int()); }},
    {0x0212, 4, "YCbCr SubSampling", "Specifies the Sampling Ratio of Chrominance to Luminance",
     [](const ItemValue& v) -> std::string {
       int h = v.U16(0), w = v.U16(2);
       if (h == 2 && w == 1) return "YCbCr 4:2:2";
       if (h == 2 && w == 2) return "YCbCr 4:2:0";
       return "Reserved";
     }},
    {0x0213, 4, "YCbCr Positioning", "Specifies the Position of Chrominance Samples to Luminance Samples",
     [](const ItemValue& v) -> std::string {
       int s = v.Short();
       return s == 1 ? "Centered" : s == 2 ? "Co-Sited" : "Reserved";
     }},
    {0x5012, 8, "Thumbnail Format", "Specifies the Format of the Thumbnail Image",
     [](const ItemValue& v) -> std::string { return v.Int() == 0 ? "Raw" : "JPEG"; }},
    {0x5013, 8, "Thumbnail Width", "Specifies the Width of the Thumbnail Image",
     [](const ItemValue& v) { return StrFormat("%ld pixels", v.Int()); }},
    {0x5014, 8, "Thumbnail Height", "Specifies the Height of the Thumbnail Image",
     [](const ItemValue& v) { return StrFormat("%ld pixels", v.Int()); }},
    {0x5015, 8, "Thumbnail Color Depth", "Specifies the Colour Depth of the Thumbnail Image",
     [](const ItemValue& v) { return StrFormat("%d bits per Pixel", v.Short()); }},
    {0x5016, 8, "Thumbnail Color Planes", "Specifies the Number of Colour Planes of the Thumbnail Image",
     [](const ItemValue& v) { return StrFormat("%d", v.Short()); }},
    {0x5017, 8, "Thumbnail Byte Offset", "Specifies the Byte Offset of the Raw Thumbnail Data",
     [](const ItemValue& v) { return StrFormat("%ld pixels", v.Int()); }},
    {0x5018, 8, "Thumbnail Size", "Specifies the Size of the Thumbnail Image",
     [](const ItemValue& v) { return StrFormat("%ld bytes", v.Int()); }},
    {0x5019, 8, "Thumbnail Compressed Size", "Specifies the Compressed Size of the Thumbnail Image",
     [](const ItemValue& v) { return StrFormat("%ld bytes", v.Int()); }},
    {0x5020, 8, "Thumbnail Image Width", "Specifies the Number of Pixels per Row of the Thumbnail Image",
     [](const ItemValue& v) { return StrFormat("%ld pixels per row", v.Int()); }},
    {0x5021, 8, "Thumbnail Image Height", "Specifies the Number of Pixels per Column of the Thumbnail Image",
     [](const ItemValue& v) { return StrFormat("%ld pixels per col", v.Int()); }},
    {0x5023, 8, "Compression Scheme", "Specifies the Compression Scheme of the Thumbnail Image",
     [](const ItemValue& v) { return StrFormat("%d", v.Short()); }},
    {0x5024, 8, "Photometric Interpretation", "Specifies the Colour Space of the Thumbnail Image",
     [](const ItemValue& v) { return StrFormat("%d", v.Short()); }},
    {0x5025, 8, "Thumbnail Description", "Specifies the Description of the Thumbnail Image", TextValue},
    {0x5026, 8, "Manufacturer", "Specifies the Manufacturer of the Equipment that Recorded the Thumbnail", TextValue},
    {0x5027, 8, "Equipment Model", "Specifies the Model of the Equipment that Recorded the Thumbnail", TextValue},
    {0x829A, 5, "Exposure Time", "Specifies the Exposure Time in Seconds", ExposureTime},
    {0x829D, 5, "F Number", "Specifies the F Number of the Lens",
     [](const ItemValue& v) { return PlainRatio(v, "F%.2f"); }},
    {0x8822, 5, "Program Class", "Specifies the Class of the Program Used to Set the Exposure",
     [](const ItemValue& v) { return Lookup(kProgram, v.Short(), "Unknown Program"); }},
    {0x8827, 5, "ISO Equiv.", "Specifies the ISO Speed as specified in ISO 12232",
     [](const ItemValue& v) { return StrFormat("%d", v.Short()); }},
    {0x9000, 6, "EXIF Version",
     "Specifies the Version of the EXIF Standard Supported. Conformance to the standard is indicated by "
     "recording 0210 as a 4-byte ASCII string.",
     [](const ItemValue& v) {
       return StrFormat("%d%d%d%d", v.Byte(0) - '0', v.Byte(1) - '0', v.Byte(2) - '0', v.Byte(3) - '0');
     }},
    {0x9003, 6, "Original Date & Time",
     "Specifies the Date and Time when the Original Image data was Generated. The format is YYYY:MM:DD "
     "HH:MM:SS with time shown in 24-hour format and the date and time separated by one blank character",
     TextValue},
    {0x9004, 6, "Storage Date & Time",
     "Specifies the Date and Time when the Image was stored as Digital Data. The format is YYYY:MM:DD "
     "HH:MM:SS with time shown in 24-hour format and the date and time separated by one blank character",
     TextValue},
    {0x9101, 6, "Compression Configuration", "Specifies the Order of the Colour Components",
     [](const ItemValue& v) {
       static const char* const kNames[] = {"", "Y", "Cb", "Cr", "R", "G", "B"};
       std::string text;
       for (size_t i = 0; i < 4; ++i) {
         int b = v.Byte(i);
         if (b >= 1 && b <= 6) text += kNames[b];
       }
       return text;
     }},
    {0x9102, 6, "Compressed Bits/Pixel", "Specifies the Compression Mode Used, in Bits per Pixel",
     [](const ItemValue& v) { return StrFormat("%ld/%ld Bits/Pixel", v.Num(), v.Den()); }},
    {0x9201, 5, "Shutter Speed", "Specifies the Shutter Speed as an APEX Value",
     [](const ItemValue& v) { return PlainRatio(v, "%.2f"); }},
    {0x9202, 5, "Lens Aperture", "Specifies the Lens Aperture as an APEX Value",
     [](const ItemValue& v) { return PlainRatio(v, "%.2f"); }},
    {0x9203, 5, "Brightness Value", "Specifies the Brightness as an APEX Value",
     [](const ItemValue& v) { return StrFormat("%ld", v.Num()); }},
    {0x9204, 6, "Exposure Bias",
     "Specifies the Exposure Bias. The unit is the APEX (Additive System of Photographic Exposure) Value "
     "(Range: -99.99 - 99.99)",
     [](const ItemValue& v) { return StrFormat("%ld/%ld", v.Num(), v.Den()); }},
    {0x9205, 6, "Max Aperture",
     "Specifies the Smallest F Number of the Lens. The unit is the APEX (Additive System of Photographic "
     "Exposure) Value (Usual Range: -99.99 - 99.99)",
     [](const ItemValue& v) {
       if (v.Den() <= 100) return StrFormat("%ld/%ld", v.Num(), v.Den());
       return StrFormat("%2.2f", static_cast<double>(v.Ratio()));
     }},
    {0x9206, 5, "Subject Distance", "Specifies the Distance to the Subject in Meters", SubjectDistance},
    {0x9207, 5, "Metering Mode", "Specifies the Metering Mode",
     [](const ItemValue& v) { return Lookup(kMetering, v.Short(), "Reserved"); }},
    {0x9208, 5, "Light Source", "Specifies the Kind of Light Source",
     [](const ItemValue& v) { return Lookup(kLightSource, v.Short(), "Reserved"); }},
    {0x9209, 6, "Flash Status", "Specifies the Status of the Flash when the Image was Shot",
     [](const ItemValue& v) {
       int s = v.Short();
       return Lookup(kFlash, s, "").empty() ? StrFormat("Unknown Flash Status (%d)", s) : Lookup(kFlash, s, "");
     }},
    {0x920A, 5, "Focal Length", "Specifies the Actual Focal length of the Lens (in millimeters)",
     [](const ItemValue& v) -> std::string {
       if (v.Den() <= 0) return "Error Reading Focal Length";
       return StrFormat("%.2f mm", static_cast<double>(v.Ratio()));
     }},
    {0xA002, 4, "Exif Image Width", "Specifies the Width of the Meaningful Image",
     [](const ItemValue& v) { return StrFormat("%d Pixels", v.Short()); }},
    {0xA003, 4, "Exif Image Height", "Specifies the Height of the Meaningful Image",
     [](const ItemValue& v) { return StrFormat("%d Pixels", v.Short()); }},
};

}  // namespace

bool DescribePropertyItem(const PropertyItem& item, int& group, GridRow& row) {
  for (const auto& entry : kCatalogue) {
    if (entry.tag != item.id) continue;
    ItemValue value(item);
    group = entry.group;
    row.name = entry.label;
    row.value = entry.value(value);
    row.description = entry.description;
    return true;
  }
  return false;
}

PropertyGrid BuildDetailsGrid(const std::vector<PropertyItem>& items, const std::string& iptcPath) {
  PropertyGrid grid(9);
  for (int i = 0; i < 9; ++i) grid[i].title = kDetailsGroupTitles[i];

  size_t totalSize = 0;
  for (const auto& item : items) totalSize += item.value.size();
  grid[0].rows.push_back({"Number of Exif MetaData", StrFormat("%zu", items.size()),
                          "Specifies the Number of Exif MetaData stored in the Picture"});
  grid[0].rows.push_back({"Total Size of Exif MetaData", StrFormat("%zu bytes", totalSize),
                          "Specifies the Total Size of Exif MetaData stored in the Picture"});

  for (const auto& item : items) {
    int group = 0;
    GridRow row;
    if (DescribePropertyItem(item, group, row)) grid[group - 1].rows.push_back(std::move(row));
  }

  GridGroup& iptc = grid[8];
  if (!IsJpegFile(iptcPath)) {
    iptc.rows.push_back({"Image MetaData", "No IPTC MetaData Available ... Not a JPEG File ... ",
                         "Warning !!! MetaData Available ONLY for JPEG Files"});
  } else if (auto rows = ReadIptcRows(iptcPath)) {
    iptc.rows.push_back({"Number of IPTC MetaData", StrFormat("%zu", rows->size()),
                         "Specifies the Number of IPTC MetaData sin the JPEG Picture"});
    for (auto& row : *rows) iptc.rows.push_back(std::move(row));
  } else {
    iptc.rows.push_back(
        {"Image MetaData", "No IPTC MetaData Available ...", "Warning !!! No IPTC MetaData Stored in current File"});
  }
  return grid;
}

FileDetails ShowFileDetails(const std::string& path) {
  FileDetails details;
  PathParts parts = SplitPath(path);
  details.fileName = parts.title + parts.ext;
  details.folderPath = parts.dir.empty() ? std::string() : WithTrailingSlash(parts.dir);

  OpenedPhoto photo = OpenPhoto(path);
  if (!photo.Ok()) {
    std::string message;
    FormatImageStatus(photo.status, message, &path);
    LogMessage(message);
    return details;
  }
  details.grid = BuildDetailsGrid(ReadPropertyItems(photo), path);
  details.gridBuilt = true;
  return details;
}

}  // namespace lx
