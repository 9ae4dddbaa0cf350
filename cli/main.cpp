#include <chrono>
#include <csignal>
#include <iostream>
#include <memory>
#include <stop_token>
#include <thread>

#include <QGuiApplication>

#include "cli/commands.h"
#include "cli/design_command.h"
#include "cli/options.h"
#include "command/error_text.h"
#include "command/errors.h"
#include "study/study_errors.h"

namespace {

using namespace varnel;

volatile std::sig_atomic_t g_interrupted = 0;

extern "C" void OnInterrupt(int) {
    g_interrupted = 1;
}

// Ctrl-C during a study: the handler only sets a flag (all a signal handler may safely do);
// a watcher thread turns it into a stop request that the study's threads see.
class InterruptWatch {
  public:
    InterruptWatch() : previous_(std::signal(SIGINT, OnInterrupt)) {
        watcher_ = std::jthread([this](std::stop_token done) {
            while (!done.stop_requested()) {
                if (g_interrupted != 0) {
                    source_.request_stop();
                    return;
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            }
        });
    }
    ~InterruptWatch() {
        watcher_ = {};
        std::signal(SIGINT, previous_);
    }
    std::stop_token token() const { return source_.get_token(); }

  private:
    void (*previous_)(int);
    std::stop_source source_;
    std::jthread watcher_;
};

// Pictures need a GUI application for their fonts; an offscreen one opens no window.
std::unique_ptr<QGuiApplication> GuiForPictures(int& argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return std::make_unique<QGuiApplication>(argc, argv);
}

int Run(const CliOptions& options) {
    switch (options.subcommand) {
        case Subcommand::Single:
            return RunSingle(options);
        case Subcommand::Sweep:
        case Subcommand::Batch: {
            const InterruptWatch interrupts;
            return RunTable(options, interrupts.token());
        }
        case Subcommand::Map:
        case Subcommand::Profile: {
            const InterruptWatch interrupts;
            return RunField(options, interrupts.token());
        }
        case Subcommand::Uniform:
            return RunUniform(options);
        case Subcommand::Check:
            return RunCheck(options);
    }
    return kExitError;
}

int Fail(const std::string& message) {
    std::cerr << "varnel-calc: " << message << '\n';
    return kExitError;
}

}  // namespace

int main(int argc, char** argv) {
    CliOptions options;
    CommandLine commandLine(options);
    CLI::App& app = commandLine.app();
    CLI::App* design = AddDesignCommand(app);
    CLI11_PARSE(app, argc, argv);
    if (design->parsed())
        return RunDesign();
    commandLine.Resolve();
    try {
        // Created once, and only for a picture; no number text depends on the C locale it sets.
        const std::unique_ptr<QGuiApplication> gui =
            WantsPicture(options) ? GuiForPictures(argc, argv) : nullptr;
        return Run(options);
    } catch (const BadRequestError& e) {
        return Fail(e.what());
    } catch (const IoError& e) {
        return Fail(e.what());
    } catch (const CommandError& e) {
        return Fail(ErrorDisplayText(e.message()));
    } catch (const std::exception& e) {
        return Fail(std::string("internal error: ") + e.what());
    } catch (...) {
        return Fail("internal error of an unknown kind");
    }
}
