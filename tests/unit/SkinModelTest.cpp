#include "skin/SkinModel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

SkinElement Named(const std::string& window, const std::string& name) {
  SkinElement element;
  element.Window = window;
  element.Name = name;
  element.FullName = window + "." + name;
  return element;
}

void Fill(SkinModel& model, const std::vector<SkinElement>& elements) {
  model.SkinElements.resize(1);
  for (const SkinElement& element : elements) model.SkinElements.push_back(element);
  model.SkinElements[0].Index = static_cast<int32_t>(elements.size());
  for (size_t n = 1; n < model.SkinElements.size(); ++n) {
    model.SkinElements[n].Index = static_cast<int32_t>(n);
  }
  model.IndexElements();
}

TEST(SkinModelTest, FindElementIsExactAndTheLowestNumberWins) {
  SkinModel model;
  Fill(model, {Named("wndMain", "cmdPlay"), Named("wndVidMain", "lstPlaylist"),
               Named("wndMain", "cmdPlay"), Named("", "")});
  struct Case {
    const char* name;
    int32_t number;
  };
  const Case cases[] = {
      {"wndMain.cmdPlay", 1},
      {"wndVidMain.lstPlaylist", 2},
      {"wndmain.cmdPlay", 0},
      {"wndMain.cmdplay", 0},
      {"wndMain.cmdPlay ", 0},
      {"cmdPlay", 0},
      {".", 4},
      {"", 0},
      {"wndMain.cmdStop", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(model.FindElement(c.name), c.number);
  }
}

TEST(SkinModelTest, FindElementFollowsATableThatGrewWithoutReindexing) {
  SkinModel model;
  Fill(model, {Named("wndMain", "cmdPlay")});
  model.SkinElements.push_back(Named("wndMain", "cmdStop"));
  EXPECT_EQ(model.FindElement("wndMain.cmdStop"), 2);
  // Replacing an element in place is noticed on a hit that no longer matches.
  model.SkinElements[1] = Named("wndMain", "cmdPause");
  model.SkinElements[2] = Named("wndMain", "cmdPlay");
  EXPECT_EQ(model.FindElement("wndMain.cmdPlay"), 2);
}

TEST(SkinModelTest, ElementOutOfRangeGivesTheHeader) {
  SkinModel model;
  Fill(model, {Named("wndMain", "a"), Named("wndMain", "b")});
  EXPECT_EQ(model.Count(), 2);
  for (const int32_t n : {-1, 0, 3, 1000}) {
    SCOPED_TRACE(n);
    EXPECT_EQ(&model.Element(n), &model.SkinElements[0]);
    EXPECT_EQ(model.Element(n).Index, 2);
  }
  EXPECT_EQ(model.Element(2).FullName, "wndMain.b");
  EXPECT_EQ(&model.ElementNamed("wndMain.nothing"), &model.SkinElements[0]);

  model.Clear();
  EXPECT_EQ(model.Count(), 0);
  EXPECT_EQ(model.SkinElements.size(), 1u);
  EXPECT_EQ(model.SkinPictures.size(), 1u);
  EXPECT_EQ(model.FindElement("wndMain.a"), 0);
}

TEST(SkinModelTest, GetFieldSplitsAtEveryOccurrenceOfTheSeparator) {
  struct Case {
    const char* text;
    int32_t n;
    const char* separator;
    const char* field;
  };
  const Case cases[] = {
      {"a;b;c", 1, ";", "a"},     {"a;b;c", 2, ";", "b"},
      {"a;b;c", 3, ";", "c"},     {"a;b;c", 4, ";", ""},
      {"a;;c", 2, ";", ""},       {"a;;c", 3, ";", "c"},
      {"", 1, ";", ""},           {"abc", 1, ";", "abc"},
      {"abc", 2, ";", ""},        {"a;b", 0, ";", ""},
      {"a;b", -1, ";", ""},       {";", 2, ";", ""},
      {"a::b::c", 2, "::", "b"},  {"aXbxc", 2, "x", "c"},
      {" 1 ; 2 ", 2, ";", " 2 "}, {"Play\xC2\xA7now;Arial", 1, ";", "Play\xC2\xA7now"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.text) + " #" + std::to_string(c.n));
    EXPECT_EQ(GetField(c.text, c.n, c.separator), c.field);
  }
}

TEST(SkinModelTest, PercentRectToPixelsScalesCentresAndSquaresFreeSides) {
  struct Case {
    const char* what;
    double x, y, w, h;      // percent
    double px, py, pw, ph;  // pixels
  };
  // A drawing area of 800 x 600.
  const Case cases[] = {
      {"plain", 10, 20, 50, 25, 80, 120, 400, 150},
      {"centred", -1, -1, 50, 50, 200, 150, 400, 300},
      {"whole area", 0, 0, 100, 100, 0, 0, 800, 600},
      {"width from height", 0, 0, -1, 10, 0, 0, 60, 60},
      {"height from width", 0, 0, 10, -1, 0, 0, 80, 80},
      {"square centred", -1, -1, -1, 50, 250, 150, 300, 300},
      {"both free", -1, -1, -1, -1, 400, 300, 0, 0},
      {"fractions stay", 0.5, 0, 33.3, 0, 4, 0, 266.4, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    double x = c.x, y = c.y, w = c.w, h = c.h;
    PercentRectToPixels(800, 600, x, y, w, h);
    EXPECT_DOUBLE_EQ(x, c.px);
    EXPECT_DOUBLE_EQ(y, c.py);
    EXPECT_DOUBLE_EQ(w, c.pw);
    EXPECT_DOUBLE_EQ(h, c.ph);
  }
}

}  // namespace
