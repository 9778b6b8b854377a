// Reading a 1 MB profile-like document with the program's reader, against tinyxml2 parsing the
// same bytes in the same run, from memory and from disk; and writing it.
#include <benchmark/benchmark.h>
#include <tinyxml2.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "xml/XMLNode.h"
#include "xml/XMLReader.h"

namespace {

constexpr std::size_t kDocumentSize = 1 << 20;

// One controller's worth of buttons, axes and POV directions with their actions, repeated
// until the document holds about kDocumentSize bytes, written as the program writes it.
std::unique_ptr<CXMLNode> MakeProfile() {
  auto root = std::make_unique<CXMLNode>("Joystick");
  root->AddAttribute("ID", "0");
  root->AddAttribute("name", "Generic USB Gamepad");
  root->AddAttribute("delay", "30");
  CXMLNode* shift = root->AddChild(std::make_unique<CXMLNode>("ShiftButtons"));
  shift->AddChild(std::make_unique<CXMLNode>("ShiftButton"))->AddAttribute("buttonNumber", "8");

  const char* themes[] = {"General", "Mouse", "Editing", "Games & <Fun>"};
  const char* names[] = {"Enter", "Left click", "Copy \"all\"", "Page up", "Escape"};
  std::size_t size = root->ToText().size();
  for (int i = 1; size < kDocumentSize; ++i) {
    auto axes = std::make_unique<CXMLNode>("Axes");
    CXMLNode* axis = axes->AddChild(std::make_unique<CXMLNode>("Axis"));
    axis->AddAttribute("name", "X Axis");
    axis->AddAttribute("sensitivity", "100");
    axis->AddAttribute("threshold", "1000");
    axis->AddAttribute("type", "Horizontal");
    for (const char* d : {"Left", "Right"}) {
      CXMLNode* direction = axis->AddChild(std::make_unique<CXMLNode>("Direction"));
      direction->AddAttribute("name", d);
      CXMLNode* actions = direction->AddChild(std::make_unique<CXMLNode>("Actions"));
      for (int p = 0; p < 3; ++p) {
        CXMLNode* a = actions->AddChild(std::make_unique<CXMLNode>("Action"));
        a->AddAttribute("number", "0");
        a->AddAttribute("theme", "Mouse");
        a->AddAttribute("name", std::string("Move ") + d);
        a->AddAttribute("percent", std::to_string(p * 30));
      }
    }
    auto buttons = std::make_unique<CXMLNode>("Buttons");
    for (int b = 1; b <= 12; ++b) {
      CXMLNode* button = buttons->AddChild(std::make_unique<CXMLNode>("Button"));
      button->AddAttribute("number", std::to_string(b));
      CXMLNode* actions = button->AddChild(std::make_unique<CXMLNode>("Actions"));
      for (int s = 0; s < 2; ++s) {
        CXMLNode* a = actions->AddChild(std::make_unique<CXMLNode>("Action"));
        a->AddAttribute("number", std::to_string(s));
        a->AddAttribute("theme", themes[(b + s + i) % 4]);
        a->AddAttribute("name", names[(b * 3 + s + i) % 5]);
      }
      if (b % 4 == 0) button->AddChild(std::make_unique<CXMLNode>("ReleaseActions"));
    }
    size += axes->ToText().size() + buttons->ToText().size();
    root->AddChild(std::move(axes));
    root->AddChild(std::move(buttons));
  }
  return root;
}

const std::string& Document() {
  static const std::string text = MakeProfile()->ToText();
  return text;
}

const std::string& DocumentFile() {
  static const std::string path = [] {
    const auto p = std::filesystem::temp_directory_path() / "tandrel-bench-profile.xml";
    std::ofstream(p, std::ios::binary) << Document();
    return p.string();
  }();
  return path;
}

void ReadMemory_Tandrel(benchmark::State& state) {
  const std::string& text = Document();
  for (auto _ : state) {
    XMLReadResult r = ReadXMLMemory(text.data(), text.size());
    if (!r.root) state.SkipWithError("document rejected");
    benchmark::DoNotOptimize(r.root.get());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(ReadMemory_Tandrel)->Unit(benchmark::kMillisecond);

void ReadMemory_TinyXML2(benchmark::State& state) {
  const std::string& text = Document();
  for (auto _ : state) {
    tinyxml2::XMLDocument doc;
    if (doc.Parse(text.data(), text.size()) != tinyxml2::XML_SUCCESS) {
      state.SkipWithError("document rejected");
    }
    benchmark::DoNotOptimize(doc.RootElement());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(ReadMemory_TinyXML2)->Unit(benchmark::kMillisecond);

// tinyxml2 decodes entities only when a value is asked for; this one asks for every value, as
// the program's readers do, for a like-for-like tree.
void TouchAll(const tinyxml2::XMLElement* e, std::size_t& bytes) {
  for (; e != nullptr; e = e->NextSiblingElement()) {
    for (auto* a = e->FirstAttribute(); a != nullptr; a = a->Next()) {
      bytes += std::char_traits<char>::length(a->Value());
    }
    TouchAll(e->FirstChildElement(), bytes);
  }
}

void ReadMemoryAndValues_TinyXML2(benchmark::State& state) {
  const std::string& text = Document();
  for (auto _ : state) {
    tinyxml2::XMLDocument doc;
    doc.Parse(text.data(), text.size());
    std::size_t bytes = 0;
    TouchAll(doc.RootElement(), bytes);
    benchmark::DoNotOptimize(bytes);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(ReadMemoryAndValues_TinyXML2)->Unit(benchmark::kMillisecond);

// The reading alone: each tree is deleted outside the measured time.
void ReadMemoryNoFree_Tandrel(benchmark::State& state) {
  const std::string& text = Document();
  for (auto _ : state) {
    XMLReadResult r = ReadXMLMemory(text.data(), text.size());
    benchmark::DoNotOptimize(r.root.get());
    state.PauseTiming();
    r.root.reset();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(ReadMemoryNoFree_Tandrel)->Unit(benchmark::kMillisecond);

void ReadMemoryNoFree_TinyXML2(benchmark::State& state) {
  const std::string& text = Document();
  for (auto _ : state) {
    auto doc = std::make_unique<tinyxml2::XMLDocument>();
    doc->Parse(text.data(), text.size());
    benchmark::DoNotOptimize(doc->RootElement());
    state.PauseTiming();
    doc.reset();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(ReadMemoryNoFree_TinyXML2)->Unit(benchmark::kMillisecond);

void ReadFile_Tandrel(benchmark::State& state) {
  const std::string& path = DocumentFile();
  for (auto _ : state) {
    XMLReadResult r = ReadXMLFile(path);
    if (!r.root) state.SkipWithError("document rejected");
    benchmark::DoNotOptimize(r.root.get());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * Document().size()));
}
BENCHMARK(ReadFile_Tandrel)->Unit(benchmark::kMillisecond);

void ReadFile_TinyXML2(benchmark::State& state) {
  const std::string& path = DocumentFile();
  for (auto _ : state) {
    tinyxml2::XMLDocument doc;
    if (doc.LoadFile(path.c_str()) != tinyxml2::XML_SUCCESS) {
      state.SkipWithError("document rejected");
    }
    benchmark::DoNotOptimize(doc.RootElement());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * Document().size()));
}
BENCHMARK(ReadFile_TinyXML2)->Unit(benchmark::kMillisecond);

void Write_Tandrel(benchmark::State& state) {
  const std::string& text = Document();
  const auto root = ReadXMLMemory(text.data(), text.size()).root;
  for (auto _ : state) {
    std::string out = root->ToText();
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(Write_Tandrel)->Unit(benchmark::kMillisecond);

}  // namespace
