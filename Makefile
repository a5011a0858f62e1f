# The commands a newcomer needs. Each one first installs what the machine lacks.
BUILD ?= build
ASAN_BUILD ?= build-asan
MINUTES ?= 10
PREFIX ?= /usr/local
CMAKE_FLAGS := -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=$(PREFIX)
ifeq ($(CI),true)
CMAKE_FLAGS += -DQUICKSTACK_WERROR=ON
endif

.PHONY: run test build asan deps install bench measure soak format clean

run: build
	$(BUILD)/app/quickstack

test: build asan
	ctest --test-dir $(BUILD) --output-on-failure -j 2
	ctest --test-dir $(ASAN_BUILD) --output-on-failure -j 2 -L unit

build: deps
	@[ -f $(BUILD)/build.ninja ] || cmake -S . -B $(BUILD) $(CMAKE_FLAGS)
	cmake --build $(BUILD)

# The unit tests once more under AddressSanitizer and UBSan: the first fault fails them.
# Unoptimised, since the sanitizers make optimising builds three times slower.
asan: deps
	@[ -f $(ASAN_BUILD)/build.ninja ] || cmake -S . -B $(ASAN_BUILD) $(CMAKE_FLAGS) \
		-DCMAKE_BUILD_TYPE=Debug -DQUICKSTACK_SANITIZE=ON
	cmake --build $(ASAN_BUILD) --target unit_tests

# Both soaks for MINUTES each, side by side: the sanitized games in-process, the real binary
# under Xvfb.
soak: build asan
	QUICKSTACK_SOAK_SECONDS=$$(($(MINUTES) * 60)) $(ASAN_BUILD)/tests/soak_tests & games=$$!; \
	SOAK_SECONDS=$$(($(MINUTES) * 60)) QUICKSTACK=$(BUILD)/app/quickstack \
		NEAR_TARGET=$(BUILD)/tests/quickstack_near_target tests/e2e/soak_test.sh; e2e=$$?; \
	wait $$games && [ $$e2e = 0 ]

deps:
	@scripts/install-deps

install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

bench: build
	cmake --build $(BUILD) --target benchmarks

measure: bench
	scripts/measure $(BUILD)

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
