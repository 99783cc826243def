// SHA-256 of stored content: FIPS 180-4's vectors and messages that end at each padding
// boundary, given whole and in pieces that cut across the 64-byte blocks.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "vault/Sha256.h"

namespace {

struct DigestCase {
    const char* name;
    std::string message;
    const char* digest;
};

TEST(Sha256Test, KnownDigestsWholeAndInPieces)
{
    const DigestCase cases[] = {
        {"empty", "", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", "abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {"two blocks", "abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
            "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
        {"55 a", std::string(55, 'a'), "9f4390f8d30c2dd92ec9f095b65e2b9ae9b0a925a5258e241c9f1e910f734318"},
        {"56 a", std::string(56, 'a'), "b35439a4ac6f0948b6d6f9e3c6af0f5f590ce20f1bde7090ef7970686ec6738a"},
        {"64 a", std::string(64, 'a'), "ffe054fe7ae0cb6dc65c3af9b61d5209f439851db43d0ba5997337df154668eb"},
        {"119 a", std::string(119, 'a'), "31eba51c313a5c08226adf18d4a359cfdfd8d2e816b13f4af952f7ea6584dcfb"},
        {"120 a", std::string(120, 'a'), "2f3d335432c70b580af0e8e1b3674a7c020d683aa5f73aaaedfdc55af904c21c"},
        {"million a", std::string(1000000, 'a'), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
    };
    for (const DigestCase& c : cases)
        for (size_t cbPiece : {size_t{0}, size_t{1}, size_t{63}, size_t{65}}) {
            qvclient::Sha256 sha;
            if (cbPiece == 0)
                sha.Update(c.message.data(), c.message.size());
            else
                for (size_t at = 0; at < c.message.size(); at += cbPiece)
                    sha.Update(c.message.data() + at, std::min(cbPiece, c.message.size() - at));
            EXPECT_EQ(sha.FinishHex(), c.digest) << c.name << ", pieces of " << cbPiece;
        }
}

} // namespace
