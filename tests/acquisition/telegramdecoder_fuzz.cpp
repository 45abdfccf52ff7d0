// libFuzzer entry: the first byte picks the separator choice, the rest is the received stream.
#include "acquisition/telegramdecoder.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

bool showable(const std::string& text) {
    if (text == acquisition::TelegramDecoder::kFehler)
        return true;
    if (text.empty() || text.size() > 7)
        return false;
    return text.find_first_not_of("0123456789-.,") == std::string::npos;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const int komma = static_cast<int>(data[0] % 3) - 1; // -1 (nothing selected), 0 or 1
    acquisition::TelegramDecoder decoder;
    for (std::size_t i = 1; i < size; ++i) {
        const auto shown = decoder.feed(static_cast<char>(data[i]), komma);
        if (shown && !showable(*shown))
            std::abort();
        if (decoder.puffer().size() > 8)
            std::abort();
        if (shown && komma != 0 && shown->find(',') != std::string::npos)
            std::abort();
    }
    return 0;
}
