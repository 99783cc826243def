// verified_copy SOURCE TARGET: every file of SOURCE (links followed) copied into the folder
// TARGET under its name, with the SHA-256 of its bytes worked out on the way, as the client
// checks a stored file's content against its recorded digest. The least a copy that verifies
// can cost: one read, one hash and one write a file, nothing else.
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <openssl/evp.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

bool CopyAndHash(const std::string& from, const std::string& to, EVP_MD_CTX* ctx, std::vector<unsigned char>& buffer,
    unsigned char (&digest)[EVP_MAX_MD_SIZE])
{
    const int in = open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return false;
    const int out = open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    bool ok = out >= 0 && EVP_DigestInit_ex(ctx, EVP_sha256(), nullptr) == 1;
    for (ssize_t n; ok && (n = read(in, buffer.data(), buffer.size())) != 0;) {
        ok = n > 0 && EVP_DigestUpdate(ctx, buffer.data(), static_cast<size_t>(n)) == 1 &&
             write(out, buffer.data(), static_cast<size_t>(n)) == n;
    }
    unsigned int cb = 0;
    ok = ok && EVP_DigestFinal_ex(ctx, digest, &cb) == 1;
    close(in);
    if (out >= 0)
        ok = close(out) == 0 && ok;
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3)
        return 2;
    const std::string source = argv[1], target = argv[2];
    DIR* dir = opendir(source.c_str());
    EVP_MD_CTX* ctx = EVP_MD_CTX_new();
    if (dir == nullptr || ctx == nullptr)
        return 1;
    std::vector<unsigned char> buffer(256 * 1024); // the client's chunk (kVaultChunkSize)
    unsigned char digest[EVP_MAX_MD_SIZE];
    bool ok = true;
    while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        ok = CopyAndHash(source + "/" + name, target + "/" + name, ctx, buffer, digest) && ok;
    }
    closedir(dir);
    EVP_MD_CTX_free(ctx);
    return ok ? 0 : 1;
}
