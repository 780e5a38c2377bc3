#include "DevsimOptions.h"

#include "DeviceText.h"

CDevsimArguments ParseDevsimArguments(const std::vector<std::string>& args)
{
    CDevsimArguments result;
    CDevsimOptions& options = result.options;
    bool family = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--help" || arg == "-h") {
            options.help = true;
            return result;
        }
        if (arg == "--max-rate") {
            options.maxRate = true;
        } else if (arg == "--family" && hasValue) {
            const std::string& name = args[++i];
            if (name != "zelnar" && name != "quorin") {
                result.error = "unknown family \"" + name + "\": zelnar or quorin";
                return result;
            }
            options.family = name == "zelnar" ? DeviceFamily::Zelnar : DeviceFamily::Quorin;
            family = true;
        } else if (arg == "--link" && hasValue) {
            options.link = args[++i];
        } else if (arg == "--seed" && hasValue) {
            const auto seed = ParseInteger(args[++i]);
            if (!seed || *seed < 0 || *seed > 0xFFFFFFFFLL) {
                result.error = "--seed takes a whole number from 0 to 4294967295";
                return result;
            }
            options.seed = static_cast<std::uint32_t>(*seed);
        } else if (arg == "--family" || arg == "--link" || arg == "--seed") {
            result.error = arg + " needs a value";
            return result;
        } else {
            result.error = "unknown argument \"" + arg + "\"";
            return result;
        }
    }
    if (!family)
        result.error = "--family is required";
    return result;
}

std::string DevsimUsage()
{
    return "usage: telvan-devsim --family zelnar|quorin [--link PATH] [--seed N] [--max-rate]\n"
           "\n"
           "Emulates a laser distance meter on a pseudo-terminal and prints its device path.\n"
           "  --family   the device family to answer as\n"
           "  --link     also make PATH a symbolic link to the device (removed at the end)\n"
           "  --seed     start of the pseudo-random measurement noise (default 1)\n"
           "  --max-rate stream as fast as the line allows instead of at the measuring rate\n"
           "\n"
           "Runs until SIGINT or SIGTERM. A line \"Exx\" on standard input (E04, E53, ...) makes\n"
           "the next measurement report that error code.\n";
}
