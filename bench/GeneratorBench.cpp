// The password generator: many passwords drawn from the system's
// cryptographic generator, of random characters and of words.
#include <cstdio>
#include <string>
#include <vector>

#include "bench/BenchSupport.h"
#include "generator/PasswordGenerator.h"

namespace kv::bench {

void RunGeneratorBenchmarks(const BenchOptions& options) {
    const std::size_t count = options.records;
    GeneratorOptions secure;
    secure.useNumbers = true;
    secure.useSpecial = true;
    secure.specialChars = "_{}[]()!@#$&*+-=<>`~";
    GeneratorOptions simple;
    simple.type = PasswordType::Simple;
    simple.words = WordPattern::WordNumberWord;
    // As many words as the built-in list holds.
    std::vector<std::string> words;
    for (int i = 0; i < 971; ++i) words.push_back("word" + std::to_string(i));

    std::printf("\nPassword generator: %zu passwords of each kind\n", count);
    for (const auto& [name, generator] : {std::make_pair("Secure, 16 characters of three classes", secure),
                                          std::make_pair("Simple, word, number, word", simple)}) {
        std::size_t characters = 0;
        const double seconds = BestSeconds(3, [&] {
            characters = 0;
            for (std::size_t i = 0; i < count; ++i) {
                characters += GeneratePassword(generator, words, SystemRandom()).text.size();
            }
        });
        std::printf("  %-44s %8.1f ms  (%.2f us each, %zu characters)\n", name, seconds * 1e3,
                    seconds * 1e6 / static_cast<double>(count), characters);
    }
}

}  // namespace kv::bench
