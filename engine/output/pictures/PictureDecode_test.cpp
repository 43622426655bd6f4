#include "output/pictures/PictureDecode.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "output/pictures/PictureTestSupport.h"

namespace dv {
namespace {

using test::Bytes;
using test::Span;

// Each channel within tol of the expected colour (JPEG is lossy).
::testing::AssertionResult Near(std::uint32_t got, std::uint32_t want, int tol) {
  for (int shift : {0, 8, 16}) {
    const int a = int((got >> shift) & 0xFF), b = int((want >> shift) & 0xFF);
    if (std::abs(a - b) > tol)
      return ::testing::AssertionFailure() << std::hex << "got " << got << " want " << want;
  }
  return ::testing::AssertionSuccess();
}

int DecodeFile(const std::string& name, PixelImage& out, int scale = 1) {
  const Bytes bytes = test::ReadBytes(test::SamplePicture(name));
  std::string detail;
  const int rc = DecodePicture(Span(bytes), PictureFormatOfName(name), scale, out, detail);
  EXPECT_EQ(rc, 0) << name << ": " << detail;
  return rc;
}

TEST(PictureFormat, OnlyAllLowerOrAllUpperExtensionsAreRecognised) {
  EXPECT_EQ(PictureFormatOfName("a.jpg"), PictureFormat::kJpeg);
  EXPECT_EQ(PictureFormatOfName("C:\\x.y\\A.JPG"), PictureFormat::kJpeg);
  EXPECT_EQ(PictureFormatOfName("a.Jpg"), PictureFormat::kNone);
  EXPECT_EQ(PictureFormatOfName("a.jPG"), PictureFormat::kNone);
  EXPECT_EQ(PictureFormatOfName("a.jpeg"), PictureFormat::kNone);
  EXPECT_EQ(PictureFormatOfName("a.PNG"), PictureFormat::kPng);
  EXPECT_EQ(PictureFormatOfName("a.gif"), PictureFormat::kGif);
  EXPECT_EQ(PictureFormatOfName("a.PCX"), PictureFormat::kPcx);
  EXPECT_EQ(PictureFormatOfName("a.bmp"), PictureFormat::kBmp);
  EXPECT_EQ(PictureFormatOfName("bmp"), PictureFormat::kNone);
}

// The sample pictures, at colours drawn into them by scripts/make-sample-pictures.sh.
TEST(SamplePictures, DecodeToTheirSizeAndDrawnColours) {
  PixelImage p;
  ASSERT_EQ(DecodeFile("portrait.jpg", p), 0);
  EXPECT_EQ(p.width, 240);
  EXPECT_EQ(p.height, 320);
  EXPECT_TRUE(Near(p.at(5, 5), 0xD8E4F0, 4));
  EXPECT_TRUE(Near(p.at(120, 150), 0xF0C8A0, 6));  // the face

  ASSERT_EQ(DecodeFile("house.png", p), 0);
  EXPECT_EQ(p.width, 200);
  EXPECT_EQ(p.at(2, 2), 0xFFFFFFu);  // transparent sky over white
  EXPECT_EQ(p.at(100, 60), 0xB03A2Eu);

  ASSERT_EQ(DecodeFile("tree.gif", p), 0);  // interlaced
  EXPECT_EQ(p.height, 160);
  EXPECT_EQ(p.at(0, 0), 0xFFFFFFu);
  EXPECT_TRUE(Near(p.at(60, 130), 0x6A4A2A, 12));

  ASSERT_EQ(DecodeFile("crest.pcx", p), 0);
  EXPECT_EQ(p.width, 96);
  EXPECT_EQ(p.height, 112);
  EXPECT_EQ(p.at(48, 14), 0x1A3A8Au);
  EXPECT_EQ(p.at(1, 110), 0xFFFFFFu);

  ASSERT_EQ(DecodeFile("map.bmp", p), 0);
  EXPECT_EQ(p.width, 180);
  EXPECT_EQ(p.at(5, 5), 0xB8D080u);
  EXPECT_EQ(p.at(140, 10), 0xD8C070u);
}

TEST(JpegDecoder, ScalesByTheDecodersDenominator) {
  PixelImage p;
  for (int d : {1, 2, 4, 8}) {
    ASSERT_EQ(DecodeFile("portrait.jpg", p, d), 0);
    EXPECT_EQ(p.width, 240 / d);
    EXPECT_EQ(p.height, 320 / d);
  }
  const Bytes bytes = test::ReadBytes(test::SamplePicture("portrait.jpg"));
  int w = 0, h = 0;
  ASSERT_TRUE(PeekJpegSize(Span(bytes), w, h));
  EXPECT_EQ(w, 240);
  EXPECT_EQ(h, 320);
}

// Damaged and hostile files: a message, never a crash; nothing is kept.
struct Damaged {
  PixelImage out;
  std::string detail;
  int Run(const Bytes& b, PictureFormat f) {
    const int rc = DecodePicture(Span(b), f, 1, out, detail);
    if (rc != 0) {
      EXPECT_TRUE(out.empty());
    }
    return rc;
  }
};

TEST(DamagedPictures, TruncatedSampleFilesGiveAMessage) {
  for (const char* name : {"portrait.jpg", "house.png", "tree.gif", "crest.pcx", "map.bmp"}) {
    Bytes b = test::ReadBytes(test::SamplePicture(name));
    b.resize(b.size() / 2);
    Damaged d;
    EXPECT_EQ(d.Run(b, PictureFormatOfName(name)), kMsgPicDamaged) << name;
    EXPECT_FALSE(d.detail.empty()) << name;
    for (std::size_t cut : {std::size_t(0), std::size_t(3), std::size_t(20)}) {
      Bytes shorter(b.begin(), b.begin() + std::ptrdiff_t(std::min(cut, b.size())));
      EXPECT_NE(d.Run(shorter, PictureFormatOfName(name)), 0) << name << " cut " << cut;
    }
  }
}

TEST(DamagedPictures, HugeDimensionsAreRefusedBeforeAllocating) {
  Damaged d;
  // 100,000 x 100,000 would overflow 32 bits and take 40 GB.
  EXPECT_EQ(d.Run(test::MakeBmp(100000, 100000, 24, {}, Bytes(16)), PictureFormat::kBmp),
            kMsgPicTooLarge);
  EXPECT_EQ(d.detail, "100000 x 100000");
  EXPECT_EQ(d.Run(test::MakeBmp(5000, -5000, 24, {}, Bytes(16)), PictureFormat::kBmp),
            kMsgPicTooLarge);
  EXPECT_EQ(d.Run(test::MakePcx(40000, 40000, 8, 1, 40002, Bytes(16)), PictureFormat::kPcx),
            kMsgPicTooLarge);
  EXPECT_EQ(d.Run(test::MakeGif(65535, 65535, 0, 0xFFFFFF, 0, 0, 1, 1, {0x44, 0x01}),
                  PictureFormat::kGif),
            kMsgPicTooLarge);
  // A size just inside the cap on one side but too large overall.
  EXPECT_EQ(d.Run(test::MakeBmp(32767, 1000, 8, {}, Bytes(16)), PictureFormat::kBmp),
            kMsgPicTooLarge);
}

TEST(DamagedPictures, ColourIndicesOutsideTheMapAreBlack) {
  Damaged d;
  // An 8-bit BMP of two pixels, indices 1 and 200, with a table of two.
  const Bytes bmp = test::MakeBmp(2, 1, 8, {0xFFFFFF, 0x00FF00}, {1, 200, 0, 0});
  ASSERT_EQ(d.Run(bmp, PictureFormat::kBmp), 0) << d.detail;
  EXPECT_EQ(d.out.at(0, 0), 0x00FF00u);
  EXPECT_EQ(d.out.at(1, 0), 0x000000u);
  // A GIF pixel of index 3 with a map of two colours (both white).
  const Bytes gif = test::MakeGif(1, 1, 0xFFFFFF, 0xFFFFFF, 0, 0, 1, 1, {0x5C, 0x01});
  ASSERT_EQ(d.Run(gif, PictureFormat::kGif), 0) << d.detail;
  EXPECT_EQ(d.out.at(0, 0), 0x000000u);
  // And index 0 is the map's colour.
  const Bytes gif0 = test::MakeGif(1, 1, 0x123456, 0xFFFFFF, 0, 0, 1, 1, {0x44, 0x01});
  ASSERT_EQ(d.Run(gif0, PictureFormat::kGif), 0) << d.detail;
  EXPECT_EQ(d.out.at(0, 0), 0x123456u);
}

TEST(DamagedPictures, AGifImageOutsideTheScreenIsRefusedByNumber) {
  Damaged d;
  const Bytes gif = test::MakeGif(1, 1, 0, 0xFFFFFF, 1, 0, 1, 1, {0x44, 0x01});
  EXPECT_EQ(d.Run(gif, PictureFormat::kGif), kMsgPicDamaged);
  EXPECT_EQ(d.detail, "Image 1 is not confined to screen dimension, aborted.");
}

TEST(DamagedPictures, UnsupportedPcxLayoutsAreNamed) {
  Damaged d;
  EXPECT_EQ(d.Run(test::MakePcx(0, 0, 8, 2, 2, Bytes(8)), PictureFormat::kPcx), kMsgPicDamaged);
  EXPECT_EQ(d.detail, "can't handle 8 bits per pixel image with 2 planes");
  EXPECT_EQ(d.Run(test::MakePcx(0, 0, 4, 4, 2, Bytes(8)), PictureFormat::kPcx), kMsgPicDamaged);
  EXPECT_EQ(d.detail, "can't handle 4 bits per pixel image with 4 planes");
  // Fewer bytes per line than the width needs.
  EXPECT_EQ(d.Run(test::MakePcx(99, 0, 8, 1, 10, Bytes(200)), PictureFormat::kPcx), kMsgPicDamaged);
}

TEST(PcxDecoder, RunsCrossLineEndsAndTheTailPaletteColours) {
  // 3 x 2 pixels, 8 bits, bytes per line 4 (even, one pad byte): one run of
  // 8 bytes of index 1 covers both lines.
  Bytes data = {0xC8, 0x01};
  Bytes palette(769, 0);
  palette[0] = 0x0C;
  palette[1 + 3] = 0x11, palette[1 + 4] = 0x22, palette[1 + 5] = 0x33;
  data.insert(data.end(), palette.begin(), palette.end());
  Damaged d;
  ASSERT_EQ(d.Run(test::MakePcx(2, 1, 8, 1, 4, data), PictureFormat::kPcx), 0) << d.detail;
  EXPECT_EQ(d.out.width, 3);
  EXPECT_EQ(d.out.height, 2);
  EXPECT_EQ(d.out.at(2, 1), 0x112233u);
}

TEST(BmpDecoder, RunLengthDataAndTopDownRows) {
  // 4 x 2, RLE8: a run of 4 of index 1 on the bottom row, end of line, 3
  // literal pixels (0, 1, 1) padded to an even count, end of picture.
  const Bytes rle = {4, 1, 0, 0, 0, 3, 0, 1, 1, 0, 0, 1};
  Damaged d;
  ASSERT_EQ(d.Run(test::MakeBmp(4, 2, 8, {0x0000FF, 0xFF0000}, rle, 1), PictureFormat::kBmp), 0)
      << d.detail;
  EXPECT_EQ(d.out.at(0, 1), 0xFF0000u);
  EXPECT_EQ(d.out.at(3, 1), 0xFF0000u);
  EXPECT_EQ(d.out.at(0, 0), 0x0000FFu);
  EXPECT_EQ(d.out.at(2, 0), 0xFF0000u);
  EXPECT_EQ(d.out.at(3, 0), 0x0000FFu);  // never written: the table's first colour
  // A top-down 24-bit picture: first stored row on top.
  const Bytes rows = {0, 0, 255, 0, 0, 255, 0, 0};  // red, then green, each padded to 4
  ASSERT_EQ(d.Run(test::MakeBmp(1, -2, 24, {}, rows), PictureFormat::kBmp), 0) << d.detail;
  EXPECT_EQ(d.out.at(0, 0), 0xFF0000u);
  EXPECT_EQ(d.out.at(0, 1), 0x00FF00u);
}

// Bit fields after a header of 41 to 51 bytes reach past it: a file that
// ends before the three masks is damaged, never read beyond its end.
TEST(DamagedPictures, BitFieldMasksPastTheEndOfAShortFile) {
  Bytes bmp(14 + 44, 0);
  bmp[0] = 'B', bmp[1] = 'M';
  bmp[10] = 14 + 44;         // pixel data offset
  bmp[14] = 44;              // header size
  bmp[18] = 1, bmp[22] = 1;  // 1 x 1
  bmp[26] = 1, bmp[28] = 16;
  bmp[30] = 3;  // bit fields
  Damaged d;
  EXPECT_EQ(d.Run(bmp, PictureFormat::kBmp), kMsgPicDamaged);
  EXPECT_EQ(d.detail, "truncated data");
}

TEST(DamagedPictures, GarbageIsNotAPicture) {
  Damaged d;
  const Bytes junk(300, 0xAB);
  for (PictureFormat f : {PictureFormat::kJpeg, PictureFormat::kPng, PictureFormat::kGif,
                          PictureFormat::kPcx, PictureFormat::kBmp})
    EXPECT_EQ(d.Run(junk, f), kMsgPicDamaged);
  EXPECT_EQ(d.Run(Bytes{}, PictureFormat::kJpeg), kMsgPicDamaged);
}

}  // namespace
}  // namespace dv
