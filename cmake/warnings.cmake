# Warnings are on for every target of ours and must stay clean.
add_compile_options(-Wall -Wextra -Wpedantic -Wshadow=local)
