// lx-make-samples DIR: a small folder of sample photos for a first look at the
// program (the README's run command lists it on a machine without a display).
#include <filesystem>
#include <iostream>

#include "photo_factory.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: lx-make-samples DIR\n";
    return 2;
  }
  std::string dir = argv[1];
  std::filesystem::create_directories(dir);
  struct Sample {
    const char* name;
    const char* taken;  // nullptr: no Exif date
    int orientation;
  };
  const Sample samples[] = {
      {"IMG_0001.JPG", "2024:07:14 09:12:30", 1}, {"IMG_0002.JPG", "2024:07:14 09:12:30", 1},
      {"IMG_0003.JPG", "2024:07:14 11:45:02", 6}, {"IMG_0004.jpg", "2024:07:15 18:03:41", 1},
      {"DSC_1001.jpg", "2023:12:24 20:15:00", 8}, {"holiday scan.jpg", nullptr, 0},
  };
  for (const auto& s : samples) {
    std::string path = dir + "/" + s.name;
    if (std::filesystem::exists(path)) continue;  // never replace a photo
    lx::test::PhotoSpec spec;
    spec.width = 160;
    spec.height = 120;
    if (s.taken) spec.dateTimeOriginal = s.taken;
    if (s.orientation) spec.orientation = s.orientation;
    spec.exif = {{"Exif.Image.Make", "Lorvexandrin"}, {"Exif.Image.Model", "Sample Camera"}};
    lx::test::WritePhoto(path, spec);
  }
  std::cout << dir << '\n';
  return 0;
}
