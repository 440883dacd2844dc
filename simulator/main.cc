// velmo_sim: a stand-in meeting client. It loads the after-meeting module the way the client
// does (dlopen, then the two plain entry points), starts its runtime and plays a meeting
// against it.
#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include <QApplication>
#include <QCoreApplication>
#include <QFileInfo>

#include "platform/base/log.h"
#include "platform/base/scope_singleton.h"
#include "platform/framework/controller_manager.h"
#include "platform/framework/module_runtime.h"
#include "platform/framework/module_service.h"
#include "platform/framework/navigation.h"

namespace {

constexpr char kModuleName[] = "after_meeting";
constexpr char kContainerUri[] = "velmo://page/after_meeting/close_meeting_conclusion";

struct Options {
  std::string module_path;
  bool headless = false;
  int log_level = 6;
};

void PrintHelp() {
  std::printf(
      "usage: velmo_sim [--scenario FILE] [--headless] [--trace FILE|-] [--screenshots DIR]\n"
      "                 [--theme light|dark] [--lang CODE] [--module PATH] [--log-level N]\n"
      "                 [--list-scenarios] [--help]\n"
      "\n"
      "Loads the after-meeting module (libafter_meeting.so) as the meeting client does and\n"
      "plays a meeting against it.\n"
      "\n"
      "  --module PATH   the module library to load (default: the one beside velmo_sim)\n"
      "  --headless      no window system: offscreen platform\n"
      "  --log-level N   the host's log level (default 6: every module line)\n"
      "  --help          this text\n");
}

// 0: go on; 1: stop with success (help); 2: bad command line.
int ParseOptions(int argc, char** argv, Options* options) {
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
      options->headless = true;
    } else if (arg == "--module") {
      if (!value(&options->module_path)) return 2;
    } else if (arg == "--log-level") {
      if (!value(&v)) return 2;
      options->log_level = std::atoi(v.c_str());
    } else {
      std::fprintf(stderr, "velmo_sim: unknown option %s (see --help)\n", arg.c_str());
      return 2;
    }
  }
  return 0;
}

void Step(const char* text) { std::printf("velmo_sim: %s\n", text); }

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (int rc = ParseOptions(argc, argv, &options)) return rc == 1 ? 0 : rc;
  if (options.headless) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  base::log::SetLogLevel(options.log_level);

  if (options.module_path.empty())
    options.module_path = (QCoreApplication::applicationDirPath() + "/libafter_meeting.so").toStdString();
  const std::string module_dir = QFileInfo(QString::fromStdString(options.module_path))
                                     .absolutePath()
                                     .toStdString();
  velmo::AddModuleConfigDirectory(module_dir);

  void* handle = dlopen(options.module_path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    std::fprintf(stderr, "velmo_sim: cannot load %s: %s\n", options.module_path.c_str(), dlerror());
    return 2;
  }
  std::printf("velmo_sim: loaded %s\n", options.module_path.c_str());
  using EntryPoint = void (*)();
  auto activate = reinterpret_cast<EntryPoint>(dlsym(handle, "Activate"));
  auto deactivate = reinterpret_cast<EntryPoint>(dlsym(handle, "Deactivate"));
  if (!activate || !deactivate) {
    std::fprintf(stderr, "velmo_sim: the module does not export Activate and Deactivate\n");
    return 2;
  }
  Step("resolved Activate and Deactivate");

  activate();
  Step("activated");

  auto* service = framework::module::GetModuleService();
  framework::module::IModuleRuntime* runtime = service->GetModuleRuntime(kModuleName);
  if (!runtime) {
    std::fprintf(stderr, "velmo_sim: the module registered no runtime \"%s\"\n", kModuleName);
    return 1;
  }
  std::printf("velmo_sim: runtime \"%s\" created\n", runtime->GetModuleName().c_str());
  runtime->Activate();
  Step("runtime started");

  if (!ControllerManager::Instance()->IsRegisteredForHost(kContainerUri)) {
    std::fprintf(stderr, "velmo_sim: %s is not registered\n", kContainerUri);
    return 1;
  }
  std::printf("velmo_sim: %s is registered\n", kContainerUri);

  deactivate();
  Step("deactivated");
  const bool gone = !ControllerManager::Instance()->IsRegisteredForHost(kContainerUri) &&
                    !service->HasModuleRuntimeCreator(kModuleName);
  std::printf("velmo_sim: container and runtime factory %s\n", gone ? "removed" : "STILL PRESENT");
  base::DestroyScopeSingletons();
  // The library stays loaded until exit, as the client keeps its modules.
  return gone ? 0 : 1;
}
