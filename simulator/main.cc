// velmo_sim: a stand-in meeting client. It loads the after-meeting module the way the client
// does (dlopen, then the two plain entry points), sets the host up from a scenario and plays the
// meeting, writing what the module did as a trace.
#include <cstdio>
#include <cstdlib>
#include <string>

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTimer>

#include "platform/base/log.h"
#include "platform/base/observer.h"
#include "platform/base/scope_singleton.h"
#include "platform/framework/localized_strings.h"
#include "platform/sdk/environment.h"
#include "platform/widgets/image_view_model.h"
#include "platform/widgets/qss_setter.h"
#include "simulator/host_panel.h"
#include "simulator/player.h"
#include "simulator/scenario.h"
#include "simulator/trace_writer.h"

namespace {

constexpr char kDefaultScenario[] = "host_ends_meeting";

struct Options {
  std::string scenario;
  bool headless = false;
  std::string trace;
  std::string screenshots;
  std::string theme = "light";
  std::string lang = "en";
  std::string module_path;
  int log_level = 6;
  bool list = false;
};

void PrintHelp() {
  std::printf(
      "usage: velmo_sim [--scenario FILE] [--headless] [--trace FILE|-] [--screenshots DIR]\n"
      "                 [--theme light|dark] [--lang CODE] [--module PATH] [--log-level N]\n"
      "                 [--list-scenarios] [--help]\n"
      "\n"
      "Plays a meeting scenario against the after-meeting module (libafter_meeting.so), loaded\n"
      "as the client loads it, and writes what the module did as a trace of JSON lines.\n"
      "\n"
      "  --scenario FILE    a scenario file, or the name of a bundled one (default: %s)\n"
      "  --headless         no window system: offscreen platform and a manual clock, so the\n"
      "                     trace is the same on every run (apart from t_wall_ms)\n"
      "  --trace FILE|-     where the trace goes ('-': standard output); progress goes to\n"
      "                     standard error\n"
      "  --screenshots DIR  where screenshot steps write their PNGs (default: ./screenshots)\n"
      "  --theme light|dark the theme table (default light)\n"
      "  --lang CODE        the string table (default en)\n"
      "  --module PATH      the module library (default: the one beside velmo_sim)\n"
      "  --log-level N      the host's log level (default 6: every module line is traced)\n"
      "  --list-scenarios   the bundled scenarios\n"
      "\n"
      "Exit status: 0 every step ran and every expect held; 1 an expect failed; 2 a bad command\n"
      "line or scenario file (one line names the file, the JSON path and what was expected).\n",
      kDefaultScenario);
}

// 0: go on; 1: done (help); 2: bad command line.
int ParseOptions(int argc, char** argv, Options* o) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    auto value = [&](std::string* out) {
      if (i + 1 >= argc) {
        std::fprintf(stderr, "velmo_sim: %s needs a value\n", arg.c_str());
        return false;
      }
      *out = argv[++i];
      return true;
    };
    std::string v;
    if (arg == "--help" || arg == "-h") {
      PrintHelp();
      return 1;
    } else if (arg == "--headless") {
      o->headless = true;
    } else if (arg == "--list-scenarios") {
      o->list = true;
    } else if (arg == "--scenario") {
      if (!value(&o->scenario)) return 2;
    } else if (arg == "--trace") {
      if (!value(&o->trace)) return 2;
    } else if (arg == "--screenshots") {
      if (!value(&o->screenshots)) return 2;
    } else if (arg == "--theme") {
      if (!value(&o->theme)) return 2;
      if (o->theme != "light" && o->theme != "dark") {
        std::fprintf(stderr, "velmo_sim: --theme takes light or dark\n");
        return 2;
      }
    } else if (arg == "--lang") {
      if (!value(&o->lang)) return 2;
    } else if (arg == "--module") {
      if (!value(&o->module_path)) return 2;
    } else if (arg == "--log-level") {
      if (!value(&v)) return 2;
      char* end = nullptr;
      long level = std::strtol(v.c_str(), &end, 10);
      if (v.empty() || *end != '\0' || level < 0 || level > 7) {
        std::fprintf(stderr, "velmo_sim: --log-level takes 0 to 7\n");
        return 2;
      }
      o->log_level = static_cast<int>(level);
    } else {
      std::fprintf(stderr, "velmo_sim: unknown option %s (see --help)\n", arg.c_str());
      return 2;
    }
  }
  return 0;
}

QStringList BundledScenarios() {
  QStringList names;
  for (const QString& f : QDir(":/scenarios").entryList({"*.json"}, QDir::Files, QDir::Name))
    names << f.chopped(5);
  return names;
}

// A file path, or a bundled scenario's name.
bool LoadScenario(const std::string& name, sim::Scenario* out, sim::ScenarioError* error,
                  std::string* shown_name) {
  if (QFile::exists(QString::fromStdString(name))) {
    *shown_name = name;
    return sim::LoadScenarioFile(name, out, error);
  }
  QFile bundled(QString(":/scenarios/%1.json").arg(QString::fromStdString(name)));
  *shown_name = name;
  if (!bundled.open(QIODevice::ReadOnly)) {
    *error = {"", "no such file or bundled scenario (see --list-scenarios)"};
    return false;
  }
  const QByteArray text = bundled.readAll();
  if (!sim::ParseScenarioText(text.toStdString(), out, error)) return false;
  out->file = "bundled:" + name;
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  Q_INIT_RESOURCE(scenarios);
  Options options;
  if (int rc = ParseOptions(argc, argv, &options)) return rc == 1 ? 0 : rc;
  if (options.list) {
    for (const QString& name : BundledScenarios()) std::printf("%s\n", qPrintable(name));
    return 0;
  }
  if (options.headless) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);

  sim::Scenario scenario;
  sim::ScenarioError error;
  std::string shown;
  if (!LoadScenario(options.scenario.empty() ? kDefaultScenario : options.scenario, &scenario,
                    &error, &shown)) {
    std::fprintf(stderr, "velmo_sim: %s: %s\n", shown.c_str(), error.ToString().c_str());
    return sim::Player::kBadScenario;
  }

  std::FILE* trace_file = nullptr;
  if (options.trace == "-") {
    trace_file = stdout;
  } else if (!options.trace.empty()) {
    trace_file = std::fopen(options.trace.c_str(), "w");
    if (!trace_file) {
      std::fprintf(stderr, "velmo_sim: cannot write the trace to %s\n", options.trace.c_str());
      return sim::Player::kBadScenario;
    }
  }

  velmo_widgets::RegisterHostViewModels();
  // The client keeps its raw resources (the pages' icons among them) beside the executable.
  if (velmosdk::utils::environment::GetAppResDirectory().empty())
    velmosdk::utils::environment::SetAppResDirectory(
        (QCoreApplication::applicationDirPath() + "/res").toStdString());
  QssSetter::SetTheme(options.theme);
  framework::LocalizedStrings::Instance().SetLanguage(options.lang);
  sim::PlayerOptions player_options;
  player_options.headless = options.headless;
  player_options.module_path =
      options.module_path.empty()
          ? (QCoreApplication::applicationDirPath() + "/libafter_meeting.so").toStdString()
          : options.module_path;
  player_options.screenshots_dir = options.screenshots;
  player_options.log_level = options.log_level;

  int status = sim::Player::kOk;
  if (!options.headless) {
    // A real window and real time: the host panel plays the scenario step by step or at once.
    std::fprintf(stderr, "velmo_sim: %s (%s) in a window; the host panel plays it\n", shown.c_str(),
                 scenario.name.c_str());
    sim::HostPanel panel(scenario, player_options, trace_file);
    if (panel.Begin()) {
      // The scenario plays at once, so the window shows as the meeting ends; Restart and Step
      // replay it at a person's pace.
      QTimer::singleShot(0, &panel, [&panel] { panel.PlayAll(); });
      app.exec();
    }
    status = panel.exit_status();
  } else {
    sim::TraceWriter trace(trace_file);
    base::observer::ScopedObserver observe(&trace);
    std::fprintf(stderr, "velmo_sim: playing %s (%s)\n", shown.c_str(), scenario.name.c_str());
    sim::Player player(scenario, player_options, &trace);
    status = player.Run(&error);
    if (status == sim::Player::kBadScenario) {
      std::fprintf(stderr, "velmo_sim: %s: %s\n", shown.c_str(), error.ToString().c_str());
    } else {
      std::fprintf(
          stderr, "velmo_sim: %zu steps played, %s\n", scenario.steps.size(),
          status == sim::Player::kOk ? "every expect held" : "an expect FAILED (see the trace)");
    }
  }
  if (trace_file && trace_file != stdout) std::fclose(trace_file);
  base::DestroyScopeSingletons();
  return status;
}
