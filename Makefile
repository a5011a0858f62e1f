# The commands a newcomer needs. Each one first installs what the machine lacks.
BUILD ?= build
PREFIX ?= /usr/local
CMAKE_FLAGS := -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=$(PREFIX)
ifeq ($(CI),true)
CMAKE_FLAGS += -DQUICKSTACK_WERROR=ON
endif

.PHONY: run test build deps install bench measure format clean

run: build
	$(BUILD)/app/quickstack

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j 2

build: deps
	@[ -f $(BUILD)/build.ninja ] || cmake -S . -B $(BUILD) $(CMAKE_FLAGS)
	cmake --build $(BUILD)

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
	rm -rf $(BUILD)
