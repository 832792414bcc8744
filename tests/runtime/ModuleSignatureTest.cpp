// A module defines each primitive with its declaration in gfxrt.h, or it
// does not compile. The compiler runs with the module's own options on
// PrimitiveDefinitions.cpp, one variant at a time: the definitions as
// declared compile without a word, and a definition that differs from its
// declaration is refused with an error at that definition, naming its
// primitive (so a variant that fails for another reason, a header not found
// or a variant not named, does not count as refused).
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>

namespace {

struct Compilation {
    int status;
    std::string output;  // standard output and error
};

Compilation compileDefinitions(const std::string& variant) {
    const std::string command = "'" VYN_CXX "' @'" VYN_MODULE_COMPILE_ARGS "' -fsyntax-only -DVYN_" + variant +
                                " '" VYN_PRIMITIVE_DEFINITIONS "' 2>&1";
    Compilation result{-1, ""};
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) return result;
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) result.output.append(buffer, got);
    const int status = ::pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

TEST(ModuleSignatures, DefinitionsAsDeclaredCompile) {
    const Compilation compiled = compileDefinitions("AS_DECLARED");
    EXPECT_EQ(compiled.status, 0) << compiled.output;
    EXPECT_EQ(compiled.output, "");
}

TEST(ModuleSignatures, ADefinitionThatDiffersFromItsDeclarationIsRefused) {
    const struct {
        const char* variant;
        const char* primitive;
    } cases[] = {
        {"OTHER_PARAMETER_TYPE", "rt_display_object_set_x__2"},  // double taken as int
        {"OTHER_RETURN_TYPE", "rt_gfx_clear__1"},
        {"ONE_PARAMETER_MORE", "rt_stage_set_color__2"},
        {"ONE_PARAMETER_LESS", "rt_set_stage_handler__4"},
        {"OTHER_HANDLE_KIND", "rt_gfx_end_fill__1"},  // a node for a drawing list
        {"CONST_DROPPED", "rt_gfx_line_style__MULT"},
        {"UNDECLARED_NAME", "rt_gfx_move_too__3"},  // exported under a name gfxrt.h lacks
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.variant);
        const Compilation compiled = compileDefinitions(c.variant);
        EXPECT_NE(compiled.status, 0) << compiled.output;
        EXPECT_NE(compiled.output.find("PrimitiveDefinitions.cpp:"), std::string::npos) << compiled.output;
        EXPECT_NE(compiled.output.find("error"), std::string::npos) << compiled.output;
        EXPECT_NE(compiled.output.find(c.primitive), std::string::npos) << compiled.output;
    }
}

}  // namespace
