// The built filters as a frei0r host loads them: by dlopen, through the
// f0r_* entry points alone. What they tell about themselves, hostile
// parameter text, and instances running on several threads at once.
#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "Frei0rTestFrames.h"

extern "C" {
#include <frei0r.h>
}

using Frei0rTest::Frame;

namespace {

// The entry points of one filter module.
struct Filter {
  explicit Filter(const char* path) {
    handle = dlopen(path, RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
      ADD_FAILURE() << dlerror();
      return;
    }
    load(init, "f0r_init");
    load(deinit, "f0r_deinit");
    load(pluginInfo, "f0r_get_plugin_info");
    load(paramInfo, "f0r_get_param_info");
    load(construct, "f0r_construct");
    load(destruct, "f0r_destruct");
    load(setParam, "f0r_set_param_value");
    load(getParam, "f0r_get_param_value");
    load(update, "f0r_update");
    load(update2, "f0r_update2");
    if (init) {
      EXPECT_EQ(init(), 1);
    }
  }
  ~Filter() {
    if (deinit) deinit();
    if (handle) dlclose(handle);
  }
  Filter(Filter const&) = delete;
  Filter& operator=(Filter const&) = delete;

  template <class F>
  void load(F& f, const char* name) {
    void* sym = dlsym(handle, name);
    ASSERT_NE(sym, nullptr) << name;
    std::memcpy(&f, &sym, sizeof sym);
  }
  void setText(f0r_instance_t i, int index, const char* text) const {
    f0r_param_string s = const_cast<char*>(text);
    setParam(i, &s, index);
  }
  Frame run(f0r_instance_t i, Frame const& in, double time) const {
    Frame out(in.size(), 0x5A5A5A5A);
    update(i, time, in.data(), out.data());
    return out;
  }

  void* handle = nullptr;
  int (*init)() = nullptr;
  void (*deinit)() = nullptr;
  void (*pluginInfo)(f0r_plugin_info_t*) = nullptr;
  void (*paramInfo)(f0r_param_info_t*, int) = nullptr;
  f0r_instance_t (*construct)(unsigned, unsigned) = nullptr;
  void (*destruct)(f0r_instance_t) = nullptr;
  void (*setParam)(f0r_instance_t, f0r_param_t, int) = nullptr;
  void (*getParam)(f0r_instance_t, f0r_param_t, int) = nullptr;
  void (*update)(f0r_instance_t, double, const uint32_t*, uint32_t*) = nullptr;
  void (*update2)(f0r_instance_t, double, const uint32_t*, const uint32_t*, const uint32_t*, uint32_t*) = nullptr;
};

// What the filter writes to stderr while this lives.
class StderrCapture {
 public:
  StderrCapture() {
    std::fflush(stderr);
    m_path = testing::TempDir() + "/frei0r_stderr_" + std::to_string(getpid()) + ".txt";
    m_saved = dup(STDERR_FILENO);
    int fd = open(m_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(fd, STDERR_FILENO);
    close(fd);
  }
  ~StderrCapture() { stop(); }
  std::string stop() {
    if (m_saved >= 0) {
      std::fflush(stderr);
      dup2(m_saved, STDERR_FILENO);
      close(m_saved);
      m_saved = -1;
      std::FILE* f = std::fopen(m_path.c_str(), "rb");
      if (f) {
        char buf[4096];
        std::size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) m_text.append(buf, n);
        std::fclose(f);
      }
      std::remove(m_path.c_str());
    }
    return m_text;
  }

 private:
  std::string m_path, m_text;
  int m_saved = -1;
};

std::size_t lines(std::string const& text) { return std::size_t(std::count(text.begin(), text.end(), '\n')); }

struct Expected {
  const char* path;
  const char* name;
  int doubles;
};

const Expected kFilters[] = {{BRELO_FREI0R_LINES, "brelo_lines", 6}, {BRELO_FREI0R_SIMPLELINES, "brelo_simplelines", 4}};

constexpr int kW = 96, kH = 64;

}  // namespace

TEST(Frei0rModule, TellsItsInfoAndEveryParameter) {
  for (Expected const& e : kFilters) {
    SCOPED_TRACE(e.name);
    Filter f(e.path);
    ASSERT_NE(f.pluginInfo, nullptr);
    f0r_plugin_info_t info{};
    f.pluginInfo(&info);
    EXPECT_STREQ(info.name, e.name);
    ASSERT_NE(info.author, nullptr);
    ASSERT_NE(info.explanation, nullptr);
    EXPECT_EQ(info.plugin_type, F0R_PLUGIN_TYPE_FILTER);
    EXPECT_EQ(info.color_model, F0R_COLOR_MODEL_RGBA8888);
    EXPECT_EQ(info.frei0r_version, FREI0R_MAJOR_VERSION);
    EXPECT_EQ(info.num_params, 3 + e.doubles);

    std::set<std::string> names;
    for (int i = 0; i < info.num_params; ++i) {
      f0r_param_info_t p{};
      p.type = -1;
      f.paramInfo(&p, i);
      ASSERT_NE(p.name, nullptr) << i;
      ASSERT_NE(p.explanation, nullptr) << i;
      EXPECT_TRUE(names.insert(p.name).second) << p.name;
      EXPECT_EQ(p.type, i < 3 ? F0R_PARAM_STRING : F0R_PARAM_DOUBLE) << p.name;
      if (i >= 3) {
        EXPECT_NE(std::strstr(p.explanation, "0 to 1 is"), nullptr) << p.explanation;
      }
    }
    EXPECT_EQ(names.count("controls") + names.count("preset") + names.count("time"), 3u);
    for (int bad : {-1, info.num_params, 1 << 30}) {
      f0r_param_info_t p{"untouched", 77, nullptr};
      f.paramInfo(&p, bad);
      EXPECT_STREQ(p.name, "untouched");
      EXPECT_EQ(p.type, 77);
    }
    f.paramInfo(nullptr, 0);
    f.pluginInfo(nullptr);
    // Nothing but the entry points is exported.
    EXPECT_EQ(dlsym(f.handle, "EntryPointFunc"), nullptr);
    EXPECT_EQ(dlsym(f.handle, "_ZN5Brelo3Sim4Host7currentEv"), nullptr);

    // Defaults: empty texts, doubles inside 0..1.
    f0r_instance_t inst = f.construct(kW, kH);
    ASSERT_NE(inst, nullptr);
    for (int i = 0; i < info.num_params; ++i) {
      if (i < 3) {
        f0r_param_string s = nullptr;
        f.getParam(inst, &s, i);
        ASSERT_NE(s, nullptr);
        EXPECT_STREQ(s, "");
      } else {
        double v = -5;
        f.getParam(inst, &v, i);
        EXPECT_GE(v, 0);
        EXPECT_LE(v, 1);
      }
    }
    f.destruct(inst);
  }
}

TEST(Frei0rModule, SizesTheHostCannotMakeGiveNoInstance) {
  Filter f(BRELO_FREI0R_LINES);
  StderrCapture err;
  EXPECT_EQ(f.construct(0, 0), nullptr);
  EXPECT_EQ(f.construct(40000, 8), nullptr);
  std::string const said = err.stop();
  EXPECT_EQ(lines(said), 2u) << said;
  EXPECT_NE(said.find("brelo_lines: cannot start: "), std::string::npos) << said;
  // Calls on no instance are ignored.
  f.destruct(nullptr);
  f.update(nullptr, 0, nullptr, nullptr);
}

TEST(Frei0rModule, HostileTextPassesFramesThroughAndIsReportedOnce) {
  Filter f(BRELO_FREI0R_LINES);
  f0r_instance_t inst = f.construct(kW, kH);
  ASSERT_NE(inst, nullptr);
  Frame const card = Frei0rTest::testCard(kW, kH);
  std::string const dir = testing::TempDir();
  std::string const notJson = dir + "/frei0r_not_a_preset.json";
  {
    std::FILE* p = std::fopen(notJson.c_str(), "wb");
    std::fputs("{\"brelo-render preset\": 1, \"controls\": {\"Max Slice\": ", p);
    std::fclose(p);
  }
  std::string const longText = "Max Slice=" + std::string(100000, '9');
  struct Case {
    int param;
    std::string text;
  };
  std::vector<Case> const cases = {
      {0, "Nonexistent Control=5"},
      {0, "Completion=0@0;100"},
      {0, "Completion=0@1;100@0"},
      {0, "Completion=50@0;50@0"},
      {0, "Max Slice=1e308"},
      {0, "Max Slice=99999999999999999999999999999"},
      {0, "Completion=0@1e30"},
      {0, "Max Slice=\xff\xfe"},
      {0, "\xc3(=1"},
      {0, "="},
      {0, "Max Slice="},
      {0, "Outside=Nowhere"},
      {0, "Max Slice=80;100"},
      {0, longText},
      {1, "/nonexistent/brelo/preset.json"},
      {1, dir},
      {1, notJson},
      {2, "abc"},
      {2, "1e300"},
      {2, "-"},
  };
  for (Case const& c : cases) {
    SCOPED_TRACE(c.text.substr(0, 60));
    StderrCapture err;
    f.setText(inst, c.param, c.text.c_str());
    EXPECT_TRUE(f.run(inst, card, 0.5) == card);
    EXPECT_TRUE(f.run(inst, card, 0.6) == card);
    std::string const said = err.stop();
    EXPECT_EQ(lines(said), 1u) << said;
    EXPECT_EQ(said.rfind("brelo_lines: refused ", 0), 0u) << said;
    EXPECT_NE(said.find("frames pass through unchanged"), std::string::npos) << said;
    EXPECT_LT(said.size(), 2000u);
    f.setText(inst, c.param, "");
  }
  // Empty and missing texts are no settings at all: the defaults render.
  Frame const dflt = f.run(inst, card, 0.5);
  StderrCapture err;
  for (int i = 0; i < 3; ++i) {
    f.setText(inst, i, "");
    f0r_param_string none = nullptr;
    f.setParam(inst, &none, i);
  }
  f.setParam(inst, nullptr, 0);
  EXPECT_TRUE(f.run(inst, card, 0.5) == dflt);
  EXPECT_EQ(err.stop(), "");
  f.destruct(inst);
  std::remove(notJson.c_str());
}

TEST(Frei0rModule, UpdateTwoIsUpdate) {
  Filter f(BRELO_FREI0R_SIMPLELINES);
  f0r_instance_t inst = f.construct(kW, kH);
  ASSERT_NE(inst, nullptr);
  f.setText(inst, 0, "Wipe Completion=0@0;100@1");
  Frame const card = Frei0rTest::testCard(kW, kH);
  Frame two(card.size());
  f.update2(inst, 0.4, card.data(), nullptr, nullptr, two.data());
  EXPECT_TRUE(two == f.run(inst, card, 0.4));
  EXPECT_FALSE(two == card);
  f.destruct(inst);
}

// Two instances render on two threads at once while a third thread makes
// and ends instances: every frame is the one each renders alone.
TEST(Frei0rModule, InstancesOnSeveralThreadsRenderAsAlone) {
  Filter f(BRELO_FREI0R_LINES);
  Frame const card = Frei0rTest::testCard(kW, kH);
  const char* settings[2] = {"Max Slice=60;Completion=0@0;100@1;Max RGB Separation=20",
                             "Direction=30;Wipe Completion=0@0;100@1;Composite Opacity=60"};
  constexpr int kFrames = 6;
  std::vector<Frame> alone[2];
  for (int k = 0; k < 2; ++k) {
    f0r_instance_t inst = f.construct(kW, kH);
    ASSERT_NE(inst, nullptr);
    f.setText(inst, 0, settings[k]);
    for (int i = 0; i < kFrames; ++i) alone[k].push_back(f.run(inst, card, i / 5.0));
    f.destruct(inst);
  }
  EXPECT_FALSE(alone[0][3] == alone[1][3]);

  std::vector<Frame> together[2];
  auto work = [&](int k) {
    f0r_instance_t inst = f.construct(kW, kH);
    if (!inst) return;
    f.setText(inst, 0, settings[k]);
    for (int i = 0; i < kFrames; ++i) together[k].push_back(f.run(inst, card, i / 5.0));
    f.destruct(inst);
  };
  std::thread a(work, 0), b(work, 1);
  std::thread churn([&] {
    for (int i = 0; i < 3; ++i) {
      f0r_instance_t inst = f.construct(kW, kH);
      if (!inst) continue;
      f.run(inst, card, 0.3);
      f.destruct(inst);
    }
  });
  a.join();
  b.join();
  churn.join();
  for (int k = 0; k < 2; ++k) {
    ASSERT_EQ(together[k].size(), std::size_t(kFrames));
    for (int i = 0; i < kFrames; ++i) EXPECT_TRUE(together[k][std::size_t(i)] == alone[k][std::size_t(i)]) << k << " " << i;
  }
}
