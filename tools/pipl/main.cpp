// brelo-pipl: writes an effect's resource description for both platforms
// from the shared description.
//
//   brelo-pipl --description FILE --name NAME --match-name NAME --rc OUT.rc --bin OUT.pipl
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <string>

#include "PiPL.h"

namespace {

int usage() {
  std::cerr << "usage: brelo-pipl --description FILE --name NAME --match-name NAME --rc OUT.rc --bin OUT.pipl\n";
  return 2;
}

bool writeFile(std::string const& path, std::string const& data) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(data.data(), std::streamsize(data.size()));
  out.close();
  if (!out) {
    std::cerr << "brelo-pipl: cannot write " << path << "\n";
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  std::map<std::string, std::string> args;
  for (int i = 1; i < argc; i += 2) {
    const std::string key = argv[i];
    if (key.rfind("--", 0) != 0 || i + 1 >= argc) return usage();
    args[key.substr(2)] = argv[i + 1];
  }
  for (const char* required : {"description", "name", "match-name", "rc", "bin"}) {
    if (!args.count(required)) return usage();
  }

  std::ifstream desc(args["description"]);
  if (!desc) {
    std::cerr << "brelo-pipl: cannot read " << args["description"] << "\n";
    return 1;
  }
  try {
    const auto props =
        Brelo::PiPL::parseDescription(desc, {{"name", args["name"]}, {"match-name", args["match-name"]}});
    const auto bytes = Brelo::PiPL::encode(props);
    const std::string comment = "Resource description of " + args["name"] + ".";
    if (!writeFile(args["bin"], std::string(bytes.begin(), bytes.end()))) return 1;
    if (!writeFile(args["rc"], Brelo::PiPL::resourceScript(bytes, comment))) return 1;
  } catch (Brelo::PiPL::DescriptionError const& e) {
    std::cerr << "brelo-pipl: " << args["description"] << ": " << e.what() << "\n";
    return 1;
  }
  return 0;
}
