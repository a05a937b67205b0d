# Everyday commands. Each installs what is missing, configures out of tree and builds.
BUILD     ?= build
SAN_BUILD ?= build-san
JOBS      ?= $(shell nproc)

PREFIX    ?= /usr/local

.PHONY: deps build run install package test bench fuzz clean

deps:
	@tools/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -G Ninja
	cmake --build $(BUILD) -j $(JOBS)

# Starts Orvina as the menu entry does, in the data folder outside the source
# tree, and says where the people are kept.
run: build
	@ORVINA_PROGRAM="$(abspath $(BUILD))/bin/orvina" sh packaging/orvina-launcher.in

install: build
	cmake --install $(BUILD) --prefix "$(abspath $(PREFIX))"

# A Debian package in $(BUILD), checked by lintian (errors fail, warnings are listed).
package: build
	@tools/install-deps.sh dpkg-dev lintian
	cd $(BUILD) && cpack -G DEB
	lintian --fail-on error $(BUILD)/orvina_*.deb

# All tests, then the core tests and the fuzz corpus again under AddressSanitizer
# and UndefinedBehaviorSanitizer.
test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	cmake -S . -B $(SAN_BUILD) -G Ninja -DORVINA_CORE_ONLY=ON -DORVINA_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
	cmake --build $(SAN_BUILD) -j $(JOBS)
	cd $(SAN_BUILD) && ctest --output-on-failure -j $(JOBS)

bench: build
	@for b in $(BUILD)/bin/*_bench; do echo "== $$b"; $$b; done

# Searches for new reader inputs with libFuzzer for FUZZ_SECONDS (default 60)
# per target: arbitrary small files, then files of more than 1 MiB grown from
# small inputs (the reader has paths that only files of a MiB or more take).
FUZZ_SECONDS ?= 60
FUZZ_TARGETS := databasereader databasereader_large
fuzz:
	@tools/install-deps.sh clang libclang-rt-14-dev
	CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DORVINA_CORE_ONLY=ON -DORVINA_LIBFUZZER=ON -DORVINA_BENCH=OFF
	cmake --build build-fuzz --target $(FUZZ_TARGETS:=_fuzz)
	for target in $(FUZZ_TARGETS); do \
	  mkdir -p build-fuzz/corpus/$$target && \
	  build-fuzz/bin/$${target}_fuzz -max_total_time=$(FUZZ_SECONDS) build-fuzz/corpus/$$target fuzz/corpus/$$target \
	  || exit 1; \
	done

clean:
	rm -rf $(BUILD) $(SAN_BUILD) build-fuzz
